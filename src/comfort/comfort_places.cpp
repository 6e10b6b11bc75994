#include "comfort/comfort_places.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

namespace kv::comfort {

std::string stateFile(const std::string& name) {
  const char* state = std::getenv("XDG_STATE_HOME");
  // Only an absolute path counts, as the XDG base directory rules have it.
  const std::string base = state && state[0] == '/'
                               ? std::string(state)
                               : QDir::homePath().toStdString() + "/.local/state";
  return base + "/korvelin/" + name;
}

std::string positionsFile() {
  return stateFile("positions");
}

std::string choicesFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string base = config && config[0] == '/' ? std::string(config)
                                                      : QDir::homePath().toStdString() + "/.config";
  return base + "/korvelin/watching";
}

std::string stillsFolder() {
  QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (pictures.isEmpty()) pictures = QDir::homePath();
  return pictures.toStdString() + "/Korvelin";
}

}  // namespace kv::comfort
