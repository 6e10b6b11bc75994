#!/usr/bin/env python3
"""Independent reading of SWF files, used once to find the expected values hard-coded in
swf_reader_test.cpp (frame counts, frame rate, size, fscommand calls per root frame).
Written separately from the C++ reader: Python's zlib/lzma modules, its own tag walk and
its own action-record walk.  Usage: swf_expect.py FILE..."""
import lzma, struct, sys, zlib


def body(data):
    sig, ver, length = data[:3], data[3], struct.unpack('<I', data[4:8])[0]
    if sig == b'FWS':
        return sig, ver, length, data[8:length]
    if sig == b'CWS':
        return sig, ver, length, zlib.decompressobj().decompress(data[8:], length - 8)
    if sig == b'ZWS':
        props = data[12:17]
        # .lzma "alone" header: props, then the uncompressed size (unknown = all ones).
        alone = props + struct.pack('<Q', length - 8) + data[17:]
        d = lzma.LZMADecompressor(format=lzma.FORMAT_ALONE)
        try:
            out = d.decompress(alone, length - 8)
        except lzma.LZMAError as e:
            raise ValueError('lzma: %s' % e)
        return sig, ver, length, out
    raise ValueError('bad signature')


def header(b):
    nbits = b[0] >> 3
    total = 5 + 4 * nbits
    nbytes = (total + 7) // 8
    bits = int.from_bytes(b[:nbytes], 'big')
    vals = []
    for i in range(4):
        shift = nbytes * 8 - 5 - (i + 1) * nbits
        v = (bits >> shift) & ((1 << nbits) - 1)
        if nbits and v & (1 << (nbits - 1)):
            v -= 1 << nbits
        vals.append(v)
    rate = struct.unpack('<H', b[nbytes:nbytes + 2])[0] / 256.0
    count = struct.unpack('<H', b[nbytes + 2:nbytes + 4])[0]
    return vals, rate, count, nbytes + 4


def tags(b, pos):
    while pos + 2 <= len(b):
        code_len = struct.unpack('<H', b[pos:pos + 2])[0]
        code, ln = code_len >> 6, code_len & 0x3f
        pos += 2
        if ln == 0x3f:
            ln = struct.unpack('<I', b[pos:pos + 4])[0]
            pos += 4
        if pos + ln > len(b):
            raise ValueError('tag %d runs past end' % code)
        yield code, b[pos:pos + ln]
        pos += ln
        if code == 0:
            return


def cstr(b, i):
    j = b.index(b'\0', i)
    return b[i:j].decode('latin-1'), j + 1


def actions(code):
    """(kind, value) for fscommand calls and stop/play, walking the action records."""
    out, pool, stack, i = [], [], [], 0
    while i < len(code):
        op = code[i]
        i += 1
        if op == 0:
            break
        ln = 0
        if op >= 0x80:
            ln = struct.unpack('<H', code[i:i + 2])[0]
            i += 2
        p = code[i:i + ln]
        i += ln
        if op == 0x88:  # constant pool
            n = struct.unpack('<H', p[:2])[0]
            j, pool = 2, []
            for _ in range(n):
                s, j = cstr(p, j)
                pool.append(s)
            stack = []
        elif op == 0x96:  # push
            j = 0
            while j < len(p):
                t = p[j]; j += 1
                if t == 0:
                    s, j = cstr(p, j); stack.append(s)
                elif t == 1: stack.append(None); j += 4
                elif t in (2, 3): stack.append(None)
                elif t == 4: stack.append(None); j += 1
                elif t == 5: stack.append(None); j += 1
                elif t == 6: stack.append(None); j += 8
                elif t == 7: stack.append(None); j += 4
                elif t == 8: stack.append(pool[p[j]] if p[j] < len(pool) else None); j += 1
                elif t == 9:
                    k = struct.unpack('<H', p[j:j + 2])[0]; j += 2
                    stack.append(pool[k] if k < len(pool) else None)
                else:
                    raise ValueError('push type %d' % t)
        elif op == 0x83:  # GetURL
            url, j = cstr(p, 0)
            target, _ = cstr(p, j)
            if url.lower().startswith('fscommand:'):
                out.append(('fscommand', url[10:], target))
            stack = []
        elif op == 0x9A:  # GetURL2
            if len(stack) >= 2 and isinstance(stack[-2], str) and \
                    stack[-2].lower().startswith('fscommand:'):
                out.append(('fscommand', stack[-2][10:], stack[-1]))
            stack = []
        elif op == 0x07:
            out.append(('stop',)); stack = []
        elif op == 0x06:
            out.append(('play',)); stack = []
        elif op == 0x81:
            out.append(('goto', struct.unpack('<H', p[:2])[0])); stack = []
        else:
            stack = []
    return out


def main():
    for path in sys.argv[1:]:
        data = open(path, 'rb').read()
        try:
            sig, ver, length, b = body(data)
            rect, rate, count, pos = header(b)
            frame, shown, bg, rows = 0, 0, None, []
            for code, t in tags(b, pos):
                if code == 1:
                    shown += 1; frame += 1
                elif code == 9:
                    bg = '#%02x%02x%02x' % tuple(t[:3])
                elif code in (12, 59):
                    for a in actions(t if code == 12 else t[2:]):
                        rows.append((frame,) + a)
                elif code == 43:
                    rows.append((frame, 'label', cstr(t, 0)[0]))
            print(path.split('/')[-1], sig.decode(), 'v%d' % ver, 'len', length, 'got', len(b) + 8,
                  'px %gx%g' % ((rect[1] - rect[0]) / 20, (rect[3] - rect[2]) / 20),
                  'fps', rate, 'hdrframes', count, 'shown', shown, 'bg', bg)
            for r in rows:
                print('   frame', *r)
        except Exception as e:
            print(path.split('/')[-1], 'ERROR', e)


main()
