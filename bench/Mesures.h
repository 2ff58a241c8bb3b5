// What orvelle-bench's figures share: medians and percentiles of repeated
// timings, the process's memory, and the printed line "name value unit".
#pragma once

#include <string>
#include <vector>

namespace orv::banc {

double Mediane(std::vector<double> v);
// The p-th percentile (0..100) by nearest rank: a value that was measured.
double Centile(std::vector<double> v, double p);
// The process's peak resident memory (VmHWM) and its resident memory now
// (VmRSS), in MiB.
double PicMemoireMo();
// CPU time the whole process has used so far (every thread), in ms: what a
// frame costs whatever else the machine runs.
double TempsProcesseurMs();
double MemoireMo();
void Affiche(const std::string& nom, double valeur, const char* unite);

} // namespace orv::banc
