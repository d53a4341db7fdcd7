#include "summary.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>

namespace {

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string microseconds(double seconds)
{
    return seconds < 0 ? std::string("-") : format("%.1f us", seconds * 1e6);
}

std::string ratio(double numerator, double denominator)
{
    if (numerator < 0 || denominator <= 0)
        return "-";
    return format("%.3f", numerator / denominator);
}

std::string verdict(double value, double limit)
{
    if (value < 0)
        return "not run";
    return value <= limit ? "met" : "NOT met";
}

} // namespace

void Summary::setPeerColorMap(const std::string &name, int values)
{
    peerColorMapName = name;
    peerColorMapValues = values;
}

void Summary::record(const benchmark::BenchmarkReporter::Run &run)
{
    if (run.error_occurred)
        return;
    const double perIteration =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    const std::string name = run.run_name.str();
    if (run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate) {
        if (run.aggregate_name == "median")
            medianSeconds[name] = perIteration;
        return;
    }
    iterationSeconds[name].push_back(perIteration);
}

double Summary::seconds(const std::string &name) const
{
    const auto median = medianSeconds.find(name);
    if (median != medianSeconds.end())
        return median->second;
    const auto found = iterationSeconds.find(name);
    if (found == iterationSeconds.end() || found->second.empty())
        return -1.0;
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

const Summary::RepaintCase *Summary::findRepaint(Painter painter, const std::string &size) const
{
    for (const RepaintCase &c : repaints) {
        if (c.painter == painter && c.size == size)
            return &c;
    }
    return nullptr;
}

const Summary::RepaintCase *Summary::findOurs(const std::string &size, bool labels,
                                              bool logarithmic, int rules) const
{
    for (const RepaintCase &c : repaints) {
        if (c.painter == Painter::Ours && c.size == size && c.labels == labels &&
            c.logarithmic == logarithmic && c.rules == rules)
            return &c;
    }
    return nullptr;
}

const Summary::ConvertCase *Summary::findConvert(int rules, bool logarithmic,
                                                 bool storedAsHsv) const
{
    for (const ConvertCase &c : converts) {
        if (c.rules == rules && c.logarithmic == logarithmic && c.storedAsHsv == storedAsHsv)
            return &c;
    }
    return nullptr;
}

double Summary::nanosecondsPerValue(const ConvertCase *c) const
{
    if (!c || c->values <= 0)
        return -1.0;
    const double s = seconds(c->name);
    return s < 0 ? -1.0 : s * 1e9 / c->values;
}

void Summary::print(std::ostream &out) const
{
    out << "\nSummary (CPU time per iteration; the median when repeated; Qt's AVX2 paths "
        << (avx2Disabled ? "off" : "as detected") << ")\n";
    printRepaints(out);
    printConverts(out);
    printTargets(out);
    saveRepaints();
}

void Summary::printRepaints(std::ostream &out) const
{
    char line[200];
    out << "\nRepaint against the peer's repaint of the same size\n";
    std::snprintf(line, sizeof line, "%-58s %12s %12s %8s %8s\n", "case", "ours", "peer", "x peer",
                  "x floor");
    out << line;
    for (const RepaintCase &c : repaints) {
        if (c.painter != Painter::Ours || seconds(c.name) < 0)
            continue;
        const RepaintCase *peer = findRepaint(Painter::Peer, c.size);
        const RepaintCase *floor = findRepaint(Painter::Floor, c.size);
        const double ours = seconds(c.name);
        const double peerTime = peer ? seconds(peer->name) : -1.0;
        const double floorTime = floor ? seconds(floor->name) : -1.0;
        std::snprintf(line, sizeof line, "%-58s %12s %12s %8s %8s\n", c.name.c_str(),
                      microseconds(ours).c_str(), microseconds(peerTime).c_str(),
                      ratio(ours, peerTime).c_str(), ratio(ours, floorTime).c_str());
        out << line;
    }
    for (const RepaintCase &c : repaints) {
        if (c.painter == Painter::Ours || seconds(c.name) < 0)
            continue;
        std::snprintf(line, sizeof line, "%-58s %12s\n", c.name.c_str(),
                      microseconds(seconds(c.name)).c_str());
        out << line;
    }
}

void Summary::printConverts(std::ostream &out) const
{
    char line[200];
    out << "\nConversion per value\n";
    const double peerNs = peerColorMapValues > 0 && seconds(peerColorMapName) >= 0
            ? seconds(peerColorMapName) * 1e9 / peerColorMapValues
            : -1.0;
    std::snprintf(line, sizeof line, "%-40s %12s %8s\n", "case", "ns/value", "x peer");
    out << line;
    for (const ConvertCase &c : converts) {
        const double ns = nanosecondsPerValue(&c);
        if (ns < 0)
            continue;
        std::snprintf(line, sizeof line, "%-40s %12s %8s\n", c.name.c_str(),
                      ns < 0 ? "-" : format("%.1f", ns).c_str(), ratio(ns, peerNs).c_str());
        out << line;
    }
    if (peerNs >= 0) {
        std::snprintf(line, sizeof line, "%-40s %12s\n", peerColorMapName.c_str(),
                      format("%.1f", peerNs).c_str());
        out << line;
    }
}

void Summary::printTargets(std::ostream &out) const
{
    out << "\nTargets\n";

    printRepaintTargets(out);
    printPathTargets(out);

    const double ns10 = nanosecondsPerValue(findConvert(10, false, false));
    const double ns2 = nanosecondsPerValue(findConvert(2, false, false));
    const double peerNs = peerColorMapValues > 0 && seconds(peerColorMapName) >= 0
            ? seconds(peerColorMapName) * 1e9 / peerColorMapValues
            : -1.0;
    out << "  convert, 10 rules stored as RGB, linear: "
        << (ns10 < 0 ? std::string("-") : format("%.1f", ns10))
        << " ns/value (at most 60: " << verdict(ns10, 60.0) << "), " << ratio(ns10, peerNs)
        << " x the peer's colour map (at most 4: "
        << verdict(peerNs > 0 && ns10 >= 0 ? ns10 / peerNs : -1.0, 4.0) << ")\n";

    const double convertGrowth = ns10 >= 0 && ns2 > 0 ? ns10 / ns2 : -1.0;
    out << "  convert, 10 rules against 2 (RGB, linear): " << ratio(convertGrowth, 1.0)
        << " (at most 1.5: " << verdict(convertGrowth, 1.5) << ")\n";

    const RepaintCase *ours = findOurs("1000x60", true, false, 2);
    const RepaintCase *ours10 = findOurs("1000x60", true, false, 10);
    const double repaintGrowth = ours && ours10 && seconds(ours->name) > 0
            ? seconds(ours10->name) / seconds(ours->name)
            : -1.0;
    out << "  repaint 1000x60, 10 rules against 2: " << ratio(repaintGrowth, 1.0)
        << " (at most 1.5: " << verdict(repaintGrowth, 1.5) << ")\n";

    for (const bool labels : {false, true}) {
        const RepaintCase *shortBar = findOurs("1000x60", labels, false, 2);
        const RepaintCase *longBar = findOurs("4000x60", labels, false, 2);
        if (!shortBar || !longBar || seconds(shortBar->name) <= 0 || seconds(longBar->name) < 0)
            continue;
        const double growth = seconds(longBar->name) / seconds(shortBar->name);
        out << "  repaint 4000x60 against 1000x60, labels " << (labels ? "on" : "off") << ": "
            << ratio(growth, 1.0)
            << " for 4 x the length (linear in length, at most 4: " << verdict(growth, 4.0)
            << ")\n";
    }
}

// Our repaint with labels, linear, two rules: against the floor of its size (20 x at 1000x60,
// 25 x at the other sizes, 15 x at 1000x60 on scaled screens, where the floor writes the
// device pixels) and against the peer of the same size and ratio (0.1 x).
void Summary::printRepaintTargets(std::ostream &out) const
{
    const std::pair<const char *, double> floorLimits[] = {
            {"1000x60", 20.0},      {"60x1000", 25.0},     {"4000x60", 25.0},
            {"1000x60@1.25", 15.0}, {"1000x60@1.5", 15.0}, {"1000x60@2", 15.0}};
    for (const auto &limit : floorLimits) {
        const RepaintCase *ours = findOurs(limit.first, true, false, 2);
        const RepaintCase *floor = findRepaint(Painter::Floor, limit.first);
        if (!ours || !floor || seconds(ours->name) < 0 || seconds(floor->name) <= 0)
            continue;
        const double x = seconds(ours->name) / seconds(floor->name);
        out << "  repaint " << limit.first << ", labels on, linear: " << ratio(x, 1.0)
            << " x the floor (at most " << format("%.0f", limit.second) << ": "
            << verdict(x, limit.second) << ")\n";
    }
    for (const char *size : {"1000x60", "1000x60@1.25", "1000x60@1.5", "1000x60@2"}) {
        const RepaintCase *ours = findOurs(size, true, false, 2);
        const RepaintCase *peer = findRepaint(Painter::Peer, size);
        const double repaintRatio =
                ours && peer && seconds(peer->name) > 0 && seconds(ours->name) >= 0
                ? seconds(ours->name) / seconds(peer->name)
                : -1.0;
        out << "  repaint " << size << ", labels on, linear: " << ratio(repaintRatio, 1.0)
            << " x peer (at most 0.1: " << verdict(repaintRatio, 0.1) << ")\n";
    }
}

// With the other CPU path's times from comparePath: our repaint on the slower path against the
// faster one, at most 1.5 x.
void Summary::printPathTargets(std::ostream &out) const
{
    if (comparePath.empty())
        return;
    std::ifstream in(comparePath);
    if (!in) {
        out << "  CPU paths: cannot read " << comparePath << "\n";
        return;
    }
    std::map<std::string, double> other;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        double time = -1.0;
        if (fields >> name >> time)
            other[name] = time;
    }
    for (const RepaintCase &c : repaints) {
        const auto found = other.find(c.name);
        if (c.painter != Painter::Ours || !c.labels || c.logarithmic || c.rules != 2 ||
            found == other.end() || seconds(c.name) <= 0 || found->second <= 0)
            continue;
        const double here = seconds(c.name);
        const double x = std::max(here, found->second) / std::min(here, found->second);
        out << "  " << c.name << ": " << microseconds(here) << " here, "
            << microseconds(found->second) << " on the other CPU path, " << ratio(x, 1.0)
            << " x apart (at most 1.5: " << verdict(x, 1.5) << ")\n";
    }
}

void Summary::saveRepaints() const
{
    if (savePath.empty())
        return;
    std::ofstream file(savePath);
    for (const RepaintCase &c : repaints) {
        if (c.painter == Painter::Ours && seconds(c.name) >= 0)
            file << c.name << " " << format("%.9g", seconds(c.name)) << "\n";
    }
}

void SummaryReporter::ReportRuns(const std::vector<Run> &reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run &run : reports)
        summary.record(run);
}
