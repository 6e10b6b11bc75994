#pragma once
// Runs the real korvelin and reads its JSON answers, one object a line.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <string>
#include <vector>

namespace kv::test {

inline std::vector<QJsonObject> runKorvelin(const QStringList& args, const std::string& folder,
                                            int timeoutMs, int* exitCode = nullptr) {
  QProcess p;
  p.setWorkingDirectory(QString::fromStdString(folder));
  p.start(KORVELIN_EXE, args);
  EXPECT_TRUE(p.waitForFinished(timeoutMs));
  if (exitCode) *exitCode = p.exitCode();
  std::vector<QJsonObject> out;
  for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
    if (line.isEmpty()) continue;
    QJsonParseError error;
    const auto doc = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    out.push_back(doc.object());
  }
  return out;
}

}  // namespace kv::test
