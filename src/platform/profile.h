#pragma once
// The profile API on top of IniDocument; where the text lives is left to the subclass (files
// on the host, memory in tests).

#include <optional>
#include <string>

#include "platform/services.h"

namespace kv {

class DocumentProfile : public ProfileService {
 public:
  std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& def, std::size_t bufferSize,
                                      const std::string& path) override;
  bool WritePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& path) override;
  bool WritePrivateProfileSection(const std::string& section, const std::string& text,
                                  const std::string& path) override;

 protected:
  struct Loaded {
    enum class Status {
      Read,        // text holds the whole file
      Missing,     // nothing is there: a write creates the file
      Unreadable,  // something is there that cannot be read in full (not a regular file,
                   // no permission, too large): a write must leave it alone
    };
    Status status = Status::Missing;
    std::string text;
  };
  // The whole text of the file, without ever blocking on it.
  virtual Loaded load(const std::string& path) = 0;
  // Replaces the file as a whole (never half written).
  virtual bool store(const std::string& path, const std::string& text) = 0;

 private:
  // The file's document for a write, or nothing when the file must not be rewritten.
  std::optional<std::string> textToRewrite(const std::string& path);
};

// Cuts text to at most maxBytes without splitting a UTF-8 character.
std::string cutUtf8(const std::string& text, std::size_t maxBytes);

}  // namespace kv
