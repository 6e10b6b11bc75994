#pragma once
// The common dialog control of a form: the program sets Filter ("description|patterns|..."),
// calls ShowOpen and reads FileName. The window host shows the dialog and turns the filter
// into its own; the control itself draws nothing.

#include <string>

namespace kv::forms {

class Form;

class CommonDialog {
 public:
  CommonDialog(std::string name, Form& owner) : name_(std::move(name)), owner_(owner) {}
  CommonDialog(const CommonDialog&) = delete;
  CommonDialog& operator=(const CommonDialog&) = delete;

  const std::string& name() const { return name_; }
  const std::string& Filter() const { return filter_; }
  void setFilter(const std::string& filter) { filter_ = filter; }
  // The full path chosen by the last ShowOpen, "" when the user cancelled it.
  const std::string& FileName() const { return fileName_; }
  void setFileName(const std::string& path) { fileName_ = path; }

  // The modal Open dialog of the window host. Without a host nothing is chosen.
  void ShowOpen();

 private:
  std::string name_;
  Form& owner_;
  std::string filter_;
  std::string fileName_;
};

}  // namespace kv::forms
