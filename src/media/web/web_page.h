#pragma once
// The web page component shown in the video area by the blog tab.

#include <string>

namespace kv::media {

class WebPage {
 public:
  virtual ~WebPage() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void Stop() = 0;
  // Releases the page; the next Navigate creates it again.
  virtual void Quit() = 0;
};

}  // namespace kv::media
