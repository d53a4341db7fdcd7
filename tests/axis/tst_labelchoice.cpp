#include "labelchoice.h"

#include <QtTest>

// LabelChoice fed with the spans of labels as an axis would measure them, one row per rule.
// Every row keeps a distance of 10 pixels; a label "n:a-b" is numbered n on the labelling grid
// and shows ink from pixel a to pixel b, with the flags e (the first or last tick of the
// scale), m (moved inward to stay whole), z (the label of 0) and p (preferred) after it;
// "x:a-b" is the multiplier.

namespace {

constexpr int distance = 10;

// The labels of a row; `preferred` gets the indexes of those flagged p, `multiplier` the
// multiplier's ink.
LabelChoice::Candidates candidatesFrom(const QString &text, QVector<int> &preferred,
                                       QVector<int> &multiplier)
{
    LabelChoice::Candidates candidates;
    for (const QString &label : text.split(QLatin1Char(' '))) {
        const int colon = label.indexOf(QLatin1Char(':'));
        QString span = label.mid(colon + 1);
        LabelChoice::Candidate c;
        while (span.back().isLetter()) {
            c.end = c.end || span.back() == QLatin1Char('e');
            c.moved = c.moved || span.back() == QLatin1Char('m');
            c.zero = c.zero || span.back() == QLatin1Char('z');
            if (span.back() == QLatin1Char('p'))
                preferred.append(candidates.size());
            span.chop(1);
        }
        c.first = span.section(QLatin1Char('-'), 0, 0).toInt();
        c.last = span.section(QLatin1Char('-'), 1, 1).toInt();
        if (label.startsWith(QLatin1Char('x'))) {
            multiplier = {c.first, c.last};
            continue;
        }
        c.number = label.left(colon).toLongLong();
        candidates.append(c);
    }
    return candidates;
}

QString numbersOf(const LabelChoice::Candidates &candidates, const QVector<int> &labelled)
{
    QStringList numbers;
    for (const int i : labelled)
        numbers << QString::number(candidates.at(i).number);
    return numbers.join(QLatin1Char(' '));
}

} // namespace

class TestLabelChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data();
    void choice();
};

void TestLabelChoice::choice_data()
{
    QTest::addColumn<QString>("candidates"); // and the multiplier
    QTest::addColumn<qint64>("from"); // the first interval tried
    QTest::addColumn<QString>("labelled"); // the numbers of the chosen labels
    QTest::addColumn<qint64>("interval");
    QTest::addColumn<bool>("multiplierShown");

    QTest::newRow("every tick: 10 free pixels are enough")
            << "0:0-9emz 1:20-29 2:40-49 3:60-69em" << 1ll << "0 1 2 3" << 1ll << false;
    QTest::newRow("every second tick: 9 free pixels are not")
            << "0:0-9emz 1:19-28 2:38-47 3:57-66 4:76-85e" << 1ll << "0 2 4" << 2ll << false;
    QTest::newRow("every second tick counts from 0, not from the first")
            << "-1:0-9em 0:15-24z 1:30-39 2:45-54 3:60-69 4:75-84 5:90-99 6:105-114e" << 1ll
            << "0 2 4 6" << 2ll << false;
    QTest::newRow("after every second tick every fifth, never every third")
            << "0:0-8emz 1:8-16 2:16-24 3:24-32 4:32-40 5:40-48 6:48-56 7:56-64 8:64-72 9:72-80 "
               "10:80-88e"
            << 1ll << "0 5 10" << 5ll << false;
    QTest::newRow("an end moved inward wins over its neighbour")
            << "1:0-9em 2:15-24 3:35-44 4:55-64 5:75-84e" << 1ll << "1 3 4 5" << 1ll << false;
    QTest::newRow("an end moved inward gives way to 0")
            << "-1:0-9em 0:15-24z 1:35-44 2:55-64 3:75-84e" << 1ll << "0 1 2 3" << 1ll << false;
    QTest::newRow("a label moved inward off no end keeps the distance: every fifth")
            << "-1:0-9em 0:20-29z 1:40-49 2:60-69 3:80-89 4:100-109 5:120-129 6:140-149 7:160-169 "
               "8:150-159m 9:175-184em"
            << 1ll << "0 5" << 5ll << false;
    QTest::newRow("of two labels neither wins: the first alone")
            << "1:0-9em 2:15-24e" << 1ll << "1" << 2ll << false;
    QTest::newRow("labels near the multiplier give way to it")
            << "0:0-9emz 1:20-29 2:40-49 3:60-69 4:80-89e x:95-110" << 1ll << "0 1 2 3" << 1ll
            << true;
    QTest::newRow("the first label never gives way to the multiplier: none, nor it")
            << "0:0-9emz 1:20-29e x:15-30" << 1ll << "" << -1ll << false;
    QTest::newRow("three labels at unequal distances: the coarser step")
            << "10:0-9em 11:15-24 12:35-44 13:55-64e" << 1ll << "10 12" << 2ll << false;
    QTest::newRow("ends winning over both neighbours leave 2m: the coarser step")
            << "5:0-9em 6:15-24 7:35-44 8:55-64 9:70-79em" << 1ll << "6 8" << 2ll << false;
    QTest::newRow("no two labels fit: 0 where there is one")
            << "-2:0-9em -1:5-14 0:10-19z 1:15-24 2:20-29em" << 1ll << "0" << 5ll << false;
    QTest::newRow("no two labels fit: the first, not the one multiple of a coarse step")
            << "11:0-9em 12:8-17 13:16-25 14:24-33 15:32-41 16:40-49em" << 1ll << "11" << 6ll
            << false;
    QTest::newRow("no two labels fit beside the multiplier: the first, with it")
            << "-5:0-9em -4:8-17 -3:16-25 -2:24-33 -1:32-41 0:40-49emz x:25-40" << 1ll << "-5"
            << 6ll << true;
    QTest::newRow("no step fits: the first label that does")
            << "1:0-9em 3:5-14em" << 1ll << "1" << 2ll << false;
    QTest::newRow("preferred labels kept where they settle")
            << "0:0-9emzp 1:20-29 2:40-49 3:60-69emp" << 3ll << "0 3" << 0ll << false;
    QTest::newRow("preferred labels that crowd: every m-th from the interval given")
            << "0:0-9emzp 1:8-17p 2:16-25 3:24-33 4:32-41 5:40-49 6:48-57em" << 3ll << "0 5" << 5ll
            << false;
    QTest::newRow("a vertical axis: values ascend upward")
            << "0:90-99emz 1:71-80 2:52-61 3:33-42 4:14-23 5:0-9em" << 1ll << "0 2 4" << 2ll
            << false;
}

void TestLabelChoice::choice()
{
    QFETCH(QString, candidates);
    QFETCH(qint64, from);
    QFETCH(QString, labelled);
    QFETCH(qint64, interval);
    QFETCH(bool, multiplierShown);
    QVector<int> preferred;
    QVector<int> multiplier;
    const LabelChoice::Candidates spans = candidatesFrom(candidates, preferred, multiplier);
    LabelChoice choice(spans, distance);
    if (!multiplier.isEmpty())
        choice.setMultiplier(multiplier.at(0), multiplier.at(1));
    const LabelChoice::Result result =
            preferred.isEmpty() ? choice.choose(from) : choice.choose(preferred, from);
    QCOMPARE(numbersOf(spans, result.labelled), labelled);
    QCOMPARE(result.interval, interval);
    QCOMPARE(result.multiplierShown, multiplierShown);
}

QTEST_APPLESS_MAIN(TestLabelChoice)
#include "tst_labelchoice.moc"
