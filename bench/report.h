// What the benchmark programs print: they time with Google Benchmark, collect
// every repetition quietly, and print their rows of the table that ./benchmark
// shows (a Markdown table: median time, target, bare-loop time and the ratio
// of the checked code to the bare loop).
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

// The median of a benchmark's repetitions, in CPU time per iteration: the
// time the program itself ran, which stays meaningful while other work shares
// the machine (wall-clock times are in the JSON output). A paired benchmark
// (see timePair) brings its own figures as counters.
struct Timing {
    double medianNs = 0.0;
    benchmark::UserCounters counters;
};

class Collector : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override;
    // The timing of the benchmark registered under `name`, or nullptr.
    const Timing* find(const std::string& name) const;
    // Whether any benchmark failed (SkipWithError).
    bool failed() const { return failed_; }

  private:
    std::map<std::string, std::vector<double>> samples_;
    std::map<std::string, benchmark::UserCounters> counters_;
    mutable std::map<std::string, Timing> timings_;
    bool failed_ = false;
};

// Times `checked` and `bare` in turn, once per iteration of `state` (each
// `batch` calls long, in CPU time), alternating which goes first, so that
// both meet the same conditions however busy the machine is. Leaves the
// medians and the medians of the per-iteration ratios and differences in the
// counters "checked", "bare" (nanoseconds per call), "ratio" and "added"
// (nanoseconds per call).
void timePair(benchmark::State& state, int batch, const std::function<void()>& checked,
              const std::function<void()>& bare);

// A checked solver may take this many times as long as its bare loop.
inline constexpr double kRatioTarget = 1.3;

// One row: a description, the benchmark, the time target in milliseconds
// (0 for none), and whether the benchmark is a pair (timePair) whose bare
// loop and ratio the row shows. A pair may instead be shown by what the
// checked code adds to the bare one (`added`), the target being on that.
struct Row {
    std::string what;
    std::string benchmark;
    double targetMs = 0.0;
    bool paired = false;
    bool added = false;
};

// Prints the rows; returns false when a target is missed or a benchmark is
// missing.
bool printRows(const Collector& collector, const std::vector<Row>& rows);

// How often a benchmark that is not a pair repeats; the table shows the
// median of the repetitions.
inline constexpr int kRepetitions = 7;

// Runs the registered benchmarks (honouring the usual --benchmark_* flags)
// into `collector`. Returns false if one of them failed.
bool runAll(Collector& collector);

}  // namespace bench
