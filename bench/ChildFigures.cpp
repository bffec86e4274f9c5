#include "ChildFigures.h"

#include "ChildRun.h"

#include <sstream>

namespace bench {

void Report(const std::string& key, double value)
{
    std::printf("figure %s %.9g\n", key.c_str(), value);
    std::fflush(stdout);
}

void ReportBegin(const std::string& key)
{
    auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch());
    std::printf("begin %s %lld\n", key.c_str(), static_cast<long long>(since.count()));
    std::fflush(stdout);
}

void ReportFailure(const std::string& why)
{
    std::string line = why;
    for (char& c : line)
        if (c == '\n') c = ' ';
    std::printf("failure %s\n", line.c_str());
    std::fflush(stdout);
}

double ChildFigures::MedianOf(const std::string& key) const
{
    auto found = values.find(key);
    return found == values.end() ? 0 : Median(found->second);
}

ChildFigures RunChild(const std::vector<std::string>& arguments, std::chrono::seconds limit)
{
    ChildOutput child = RunSelf(arguments, limit);
    const auto ended = Clock::now();
    ChildFigures figures;
    figures.failure = child.failure;
    Clock::time_point begun;
    std::string why;
    std::istringstream lines(child.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string kind, key;
        words >> kind >> key;
        if (kind == "figure") {
            double value = 0;
            if (words >> value) figures.values[key].push_back(value);
            if (key == figures.unfinished) figures.unfinished.clear();
        } else if (kind == "begin") {
            long long since = 0;
            words >> since;
            figures.unfinished = key;
            begun = Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(since)));
        } else if (kind == "failure") {
            why = line.substr(std::string("failure ").size());
        }
    }
    if (!figures.failure.empty() && !why.empty()) figures.failure = why;
    if (figures.failure.empty())
        figures.unfinished.clear();
    else if (!figures.unfinished.empty())
        figures.unfinishedFor = Seconds(begun, ended);
    return figures;
}

} // namespace bench
