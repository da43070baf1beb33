#include "bench/report.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bench {

namespace {

double threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double timeBatch(int batch, const std::function<void()>& work) {
    const double start = threadCpuNanoseconds();
    for (int i = 0; i < batch; ++i) {
        work();
    }
    return (threadCpuNanoseconds() - start) / batch;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string milliseconds(double ns) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f ms", ns / 1e6);
    return text;
}

}  // namespace

void Collector::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred) {
            std::fprintf(stderr, "%s failed: %s\n", run.benchmark_name().c_str(),
                         run.error_message.c_str());
            failed_ = true;
            continue;
        }
        if (run.run_type != Run::RT_Iteration) {
            continue;
        }
        counters_[run.run_name.function_name] = run.counters;
        const double ns =
            run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        samples_[run.run_name.function_name].push_back(ns);
    }
}

const Timing* Collector::find(const std::string& name) const {
    const auto cached = timings_.find(name);
    if (cached != timings_.end()) {
        return &cached->second;
    }
    const auto found = samples_.find(name);
    if (found == samples_.end() || found->second.empty()) {
        return nullptr;
    }
    Timing timing;
    timing.medianNs = median(found->second);
    const auto counters = counters_.find(name);
    if (counters != counters_.end()) {
        timing.counters = counters->second;
    }
    return &(timings_[name] = timing);
}

void timePair(benchmark::State& state, int batch, const std::function<void()>& checked,
              const std::function<void()>& bare) {
    std::vector<double> checkedTimes, bareTimes, ratios, added;
    bool checkedFirst = true;
    for (auto _ : state) {
        double checkedTime = 0.0, bareTime = 0.0;
        if (checkedFirst) {
            checkedTime = timeBatch(batch, checked);
            bareTime = timeBatch(batch, bare);
        } else {
            bareTime = timeBatch(batch, bare);
            checkedTime = timeBatch(batch, checked);
        }
        checkedFirst = !checkedFirst;
        checkedTimes.push_back(checkedTime);
        bareTimes.push_back(bareTime);
        ratios.push_back(checkedTime / bareTime);
        added.push_back(checkedTime - bareTime);
    }
    if (ratios.empty()) {
        return;
    }
    state.counters["checked"] = median(checkedTimes);
    state.counters["bare"] = median(bareTimes);
    state.counters["ratio"] = median(ratios);
    state.counters["added"] = median(added);
}

bool printRows(const Collector& collector, const std::vector<Row>& rows) {
    bool allMet = true;
    for (const Row& row : rows) {
        const Timing* timing = collector.find(row.benchmark);
        const bool pair = row.paired || row.added;
        if (timing == nullptr || (pair && timing->counters.count("ratio") == 0)) {
            std::printf("| %s | (missing) | | | | no |\n", row.what.c_str());
            allMet = false;
            continue;
        }
        const double ns = row.added    ? timing->counters.at("added").value
                          : row.paired ? timing->counters.at("checked").value
                                       : timing->medianNs;
        bool met = row.targetMs <= 0.0 || ns <= row.targetMs * 1e6;
        std::string target = "-";
        if (row.targetMs > 0.0) {
            char text[32];
            std::snprintf(text, sizeof text, "< %g ms", row.targetMs);
            target = text;
        }
        std::string bare = "-";
        std::string ratio = "-";
        if (row.added) {
            bare = milliseconds(timing->counters.at("bare").value);
        } else if (row.paired) {
            const double factor = timing->counters.at("ratio").value;
            bare = milliseconds(timing->counters.at("bare").value);
            char text[48];
            std::snprintf(text, sizeof text, "%.2f (< %.1f)", factor, kRatioTarget);
            ratio = text;
            met = met && factor <= kRatioTarget;
        }
        std::printf("| %s | %s | %s | %s | %s | %s |\n", row.what.c_str(), milliseconds(ns).c_str(),
                    target.c_str(), bare.c_str(), ratio.c_str(), met ? "yes" : "**no**");
        allMet = allMet && met;
    }
    std::fflush(stdout);
    return allMet;
}

bool runAll(Collector& collector) {
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    return !collector.failed();
}

}  // namespace bench
