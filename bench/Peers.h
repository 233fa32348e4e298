#pragma once
// The peer editors' figures from the peer program (bench/peer), taken in the same run as
// ours, and the table that sets them side by side.
#include <map>
#include <string>
#include <vector>

// Milliseconds per workload, by workload name.
using Figures = std::map<std::string, std::vector<double>>;

struct PeerFigures {
  std::string Name;  // as the table heads it
  Figures Times;
  // The peer was stopped at the time limit before its last workload.
  bool Stopped = false;
};

// Runs every editor the peer program holds on Script, Runs times each, stopping one that
// takes longer than LimitSeconds (its unfinished workloads are left out).
std::vector<PeerFigures> RunPeers(const std::string& program, const std::string& script, int runs,
                                  int limitSeconds);

// One line per workload of ours (medians): our figure, each peer's, and the best peer's
// figure divided by ours.
void PrintComparison(const std::vector<std::string>& workloads, const Figures& ours,
                     const std::vector<PeerFigures>& peers);

double Median(std::vector<double> v);
