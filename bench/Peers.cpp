#include "Peers.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// The editors the peer program was built with and the names the table gives them.
std::vector<std::pair<std::string, std::string>> PeerEditors(const std::string& program) {
  QProcess process;
  process.start(QString::fromStdString(program), {"--editors"});
  process.waitForFinished(20000);
  const QStringList names =
      QString::fromLocal8Bit(process.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
  std::vector<std::pair<std::string, std::string>> editors;
  for (const QString& name : names) {
    const QString trimmed = name.trimmed();
    if (trimmed == "plain") editors.emplace_back("plain", "QPlainTextEdit");
    if (trimmed == "qsci") editors.emplace_back("qsci", "QScintilla");
  }
  return editors;
}

// Lines "name  value ms" as the peer writes them; false when it was stopped at the limit.
bool RunPeerOnce(const std::string& program, const std::string& editor, const std::string& script,
                 int limitSeconds, Figures& into) {
  QProcess process;
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(QString::fromStdString(program),
                {QString::fromStdString(editor), QString::fromStdString(script)});
  QElapsedTimer timer;
  timer.start();
  const qint64 limit = static_cast<qint64>(limitSeconds) * 1000;
  bool finished = false;
  while (!(finished = process.waitForFinished(200)) && timer.elapsed() < limit) {
  }
  if (!finished) {
    process.kill();
    process.waitForFinished();
  }
  const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
  for (const QString& line : lines) {
    const QStringList words = line.simplified().split(' ');
    if (words.size() < 3 || words[0].startsWith('#') || words[2] != "ms") continue;
    into[words[0].toStdString()].push_back(words[1].toDouble());
  }
  return finished;
}

}  // namespace

double Median(std::vector<double> v) {
  if (v.empty()) return std::numeric_limits<double>::quiet_NaN();
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<PeerFigures> RunPeers(const std::string& program, const std::string& script, int runs,
                                  int limitSeconds) {
  std::vector<PeerFigures> peers;
  for (const auto& [editor, name] : PeerEditors(program)) {
    PeerFigures& peer = peers.emplace_back();
    peer.Name = name;
    for (int run = 0; run < runs && !peer.Stopped; ++run) {
      peer.Stopped = !RunPeerOnce(program, editor, script, limitSeconds, peer.Times);
    }
  }
  return peers;
}

void PrintComparison(const std::vector<std::string>& workloads, const Figures& ours,
                     const std::vector<PeerFigures>& peers) {
  std::printf("\n%-12s %10s", "workload", "ours");
  for (const PeerFigures& peer : peers) std::printf(" %15s", peer.Name.c_str());
  std::printf("  %s\n", "best peer / ours");
  for (const std::string& name : workloads) {
    const auto mine = ours.find(name);
    if (mine == ours.end()) continue;
    const double ms = Median(mine->second);
    std::printf("%-12s %10.2f", name.c_str(), ms);
    double best = std::numeric_limits<double>::infinity();
    bool any = false;
    for (const PeerFigures& peer : peers) {
      const auto theirs = peer.Times.find(name);
      if (theirs == peer.Times.end()) {
        std::printf(" %15s", peer.Stopped ? "stopped" : "-");
        if (peer.Stopped) any = true;
        continue;
      }
      const double peerMs = Median(theirs->second);
      std::printf(" %15.2f", peerMs);
      best = std::min(best, peerMs);
      any = true;
    }
    if (any && best < std::numeric_limits<double>::infinity()) {
      std::printf("  %.1fx", best / ms);
    }
    std::printf("\n");
  }
}
