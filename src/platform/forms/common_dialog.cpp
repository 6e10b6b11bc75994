#include "platform/forms/common_dialog.h"

#include "platform/forms/form.h"
#include "platform/window_host.h"

namespace kv::forms {

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
  std::vector<std::string> pieces;
  std::string::size_type from = 0;
  while (true) {
    const auto bar = filter.find('|', from);
    pieces.push_back(filter.substr(from, bar == std::string::npos ? bar : bar - from));
    if (bar == std::string::npos) break;
    from = bar + 1;
  }
  std::vector<FileFilter> entries;
  if (filter.empty()) return entries;
  for (std::size_t i = 0; i < pieces.size(); i += 2)
    entries.push_back({pieces[i], i + 1 < pieces.size() ? pieces[i + 1] : "*.*"});
  return entries;
}

std::vector<std::string> DesktopNameFilters(const std::string& filter) {
  std::vector<std::string> out;
  for (const FileFilter& f : ParseFileFilter(filter)) {
    std::string patterns;
    std::string::size_type from = 0;
    while (from <= f.patterns.size()) {
      const auto semi = f.patterns.find(';', from);
      std::string p = f.patterns.substr(from, semi == std::string::npos ? semi : semi - from);
      if (p == "*.*") p = "*";
      if (!p.empty()) patterns += (patterns.empty() ? "" : " ") + p;
      if (semi == std::string::npos) break;
      from = semi + 1;
    }
    if (patterns.empty()) patterns = "*";
    out.push_back(f.description + " (" + patterns + ")");
  }
  return out;
}

void CommonDialog::ShowOpen() {
  WindowHost* host = owner_.host();
  fileName_ = host ? host->showOpen(owner_, filter_, fileName_) : std::string();
}

}  // namespace kv::forms
