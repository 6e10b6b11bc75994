#include "doubles/fake_window_host.h"

#include "platform/forms/form.h"
#include "platform/forms/menu.h"

namespace kv::test {

void FakeWindowHost::formShown(forms::Form& form) {
  calls.push_back("shown " + form.name());
}
void FakeWindowHost::formHidden(forms::Form& form) {
  calls.push_back("hidden " + form.name());
}
void FakeWindowHost::formUnloaded(forms::Form& form) {
  calls.push_back("unloaded " + form.name());
}
void FakeWindowHost::formDestroyed(forms::Form& form) {
  calls.push_back("destroyed " + form.name());
}
void FakeWindowHost::startSystemMove(forms::Form& form) {
  calls.push_back("move " + form.name());
}
void FakeWindowHost::startSystemResize(forms::Form& form, std::uint32_t edges) {
  calls.push_back("resize " + form.name() + " " + std::to_string(edges));
}

namespace {
forms::MenuItem* findItem(forms::MenuItem& menu, const std::string& name) {
  if (menu.name() == name) return &menu;
  for (forms::MenuItem* item : menu.items())
    if (forms::MenuItem* found = findItem(*item, name)) return found;
  return nullptr;
}
}  // namespace

void FakeWindowHost::popupMenu(forms::Form& owner, forms::MenuItem& menu) {
  calls.push_back("popup " + menu.name() + " on " + owner.name());
  menu.Opening.raise();
  if (duringModal) duringModal();
  const std::string choice = std::exchange(menuChoice, "");
  if (choice.empty()) return;
  if (forms::MenuItem* item = findItem(menu, choice); item && item->Enabled()) item->Click.raise();
}

void FakeWindowHost::askText(forms::Form& owner, const std::string& title, const std::string&,
                             std::function<void(const std::string&)> done) {
  calls.push_back("ask " + title + " on " + owner.name());
  textAnswer = std::move(done);
}

std::string FakeWindowHost::showOpen(forms::Form& owner, const std::string& filter,
                                     const std::string&) {
  calls.push_back("open dialog on " + owner.name());
  openFilters.push_back(filter);
  if (duringModal) duringModal();
  return openResult;
}

void FakeWindowHost::messageBox(forms::Form* owner, const std::string& text,
                                const std::string& title) {
  calls.push_back("message box on " + (owner ? owner->name() : std::string("desktop")) +
                  (title.empty() ? "" : " titled " + title));
  messages.push_back(text);
  if (duringModal) duringModal();
}

void FakeWindowHost::chooseLanguage(Language language) {
  calls.push_back("language " + languageCode(language));
  language_ = language;
}

bool MemoryRegistry::openKey(RegRoot root, const std::string& key) {
  return tree_.openKey(root, key);
}

bool MemoryRegistry::createKey(RegRoot root, const std::string& key) {
  if (readOnly) return openKey(root, key);
  if (!tree_.createKey(root, key)) return false;
  ++writes;
  return true;
}

std::optional<RegValue> MemoryRegistry::queryValue(RegRoot root, const std::string& key,
                                                   const std::string& name) {
  return tree_.queryValue(root, key, name);
}

bool MemoryRegistry::setValue(RegRoot root, const std::string& key, const std::string& name,
                              const RegValue& value) {
  if (readOnly || !tree_.setValue(root, key, name, value)) return false;
  ++writes;
  return true;
}

bool MemoryRegistry::deleteKey(RegRoot root, const std::string& key) {
  if (readOnly || !tree_.deleteKey(root, key)) return false;
  ++writes;
  return true;
}

bool MemoryRegistry::deleteValue(RegRoot root, const std::string& key, const std::string& name) {
  if (readOnly || !tree_.deleteValue(root, key, name)) return false;
  ++writes;
  return true;
}

std::optional<std::string> MemoryRegistry::text(RegRoot root, const std::string& key,
                                                const std::string& name) {
  const auto v = queryValue(root, key, name);
  if (!v || v->type != kRegSz) return std::nullopt;
  return v->data;
}

void MemoryRegistry::setText(RegRoot root, const std::string& key, const std::string& name,
                             const std::string& text, std::uint32_t type) {
  const bool was = readOnly;
  readOnly = false;
  createKey(root, key);
  setValue(root, key, name, RegValue{type, text});
  readOnly = was;
}

}  // namespace kv::test
