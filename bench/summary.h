#ifndef SUMMARY_H
#define SUMMARY_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// Collects the times of the benchmark runs while the console reporter prints them, and prints
// afterwards what the raw table cannot show: each of our repaints as a ratio to the peer's
// repaint of the same size in the same run, the cost per converted value, the growth with the
// bar's length and with the number of rules, and how these compare with the targets. Cases
// register here under the name they are run with; times are CPU time per iteration, the
// median when the run was repeated.
class Summary
{
public:
    // what a repaint case draws
    enum class Painter { Ours, Peer, Floor };

    struct RepaintCase
    {
        std::string name;
        Painter painter = Painter::Ours;
        std::string size; // "1000x60": ours are compared with the peer of the same size
        int length = 0; // pixel lines along the bar
        bool labels = false;
        bool logarithmic = false;
        int rules = 2;
    };

    struct ConvertCase
    {
        std::string name;
        int rules = 2;
        bool logarithmic = false;
        bool storedAsHsv = false;
        int values = 0; // converted values per iteration
    };

    // QT_NO_CPU_FEATURE=avx2 was set. `savePath`, when not empty, receives our repaint times
    // for a later run on the other CPU path; `comparePath` names such a file from the other
    // path, whose times the targets then compare with this run's.
    Summary(bool avx2Disabled, std::string savePath, std::string comparePath)
        : avx2Disabled(avx2Disabled)
        , savePath(std::move(savePath))
        , comparePath(std::move(comparePath))
    { }

    void addRepaint(const RepaintCase &c) { repaints.push_back(c); }
    void addConvert(const ConvertCase &c) { converts.push_back(c); }
    void setPeerColorMap(const std::string &name, int values);

    // records what the reporter reported
    void record(const benchmark::BenchmarkReporter::Run &run);

    void print(std::ostream &out) const;

private:
    // seconds per iteration, or a negative number when the case did not run
    double seconds(const std::string &name) const;
    const RepaintCase *findRepaint(Painter painter, const std::string &size) const;
    const RepaintCase *findOurs(const std::string &size, bool labels, bool logarithmic,
                                int rules) const;
    const ConvertCase *findConvert(int rules, bool logarithmic, bool storedAsHsv) const;
    double nanosecondsPerValue(const ConvertCase *c) const;
    void printRepaints(std::ostream &out) const;
    void printConverts(std::ostream &out) const;
    void printTargets(std::ostream &out) const;
    void printRepaintTargets(std::ostream &out) const;
    void printPathTargets(std::ostream &out) const;
    void saveRepaints() const;

    bool avx2Disabled = false;
    std::string savePath;
    std::string comparePath;
    std::vector<RepaintCase> repaints;
    std::vector<ConvertCase> converts;
    std::string peerColorMapName;
    int peerColorMapValues = 0;
    std::map<std::string, std::vector<double>> iterationSeconds;
    std::map<std::string, double> medianSeconds;
};

// The console reporter, passing every run on to the summary as well. Colours only on a
// terminal, so that redirected output stays plain text.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    SummaryReporter(Summary &summary, bool colors)
        : ConsoleReporter(colors ? OO_ColorTabular : OO_Tabular), summary(summary)
    { }
    void ReportRuns(const std::vector<Run> &reports) override;

private:
    Summary &summary;
};

#endif // SUMMARY_H
