// Opening and saving a vocabulary with accented letters, in Windows-1252 and
// in UTF-8, each measured against the bare work on the same bytes in the
// same run:
//   Open: read the file, decode, check every row, fill the store
//     against: read all the bytes and decode them to one QString;
//   Save: build, encode and write the file through a save file
//     against: encode the whole text in one piece and write it to a plain file.
// Each pass of the work is followed by one pass of the bare work. The first
// pass of each is thrown away (it pays for fresh pages); the counters give
// the median of the others in milliseconds, as processor time of the thread
// and as wall-clock time, their ratio, and for Open the microseconds per item.
// What a pass leaves (the store, the items) is freed outside the timing.
//
// Importing the same items from a KVTML file, from the table that Save
// writes and from a comma-separated table with quoted fields, as Open does,
// is measured against opening them as an .eng file, pass for pass.
#include "vocab/imports.h"
#include "vocab/vocabfile.h"

#include "benchsupport.h"
#include "sampleitems.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

namespace {

enum Variant { Windows1252 = 0, Utf8 = 1 };

struct Fixture {
    QTemporaryDir dir;
    QString path;
    QString barePath;
    QVector<VocabItem> items;
    QString text; // the whole file, decoded
    bool utf8 = false;

    Fixture(Variant variant, int count)
        : path(dir.filePath("words.eng")), barePath(dir.filePath("bare.eng")),
          items(bench::SampleItems(count, variant == Utf8))
    {
        const VocabFileBytes encoded = EncodeVocabFile(items, 1);
        utf8 = encoded.utf8;
        if (utf8 != (variant == Utf8))
            qFatal("the benchmark file is not in the encoding it is meant to have");
        // The items are what Save writes of items typed in the work area:
        // they read back unchanged.
        if (ReadVocabFile(encoded.bytes).items != items)
            qFatal("the benchmark items do not read back unchanged");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(encoded.bytes) != encoded.bytes.size())
            qFatal("cannot write the benchmark file");
        text = utf8 ? QString::fromUtf8(encoded.bytes.mid(3))
                    : vocabcodec::DecodeWindows1252(encoded.bytes.constData(),
                                                    encoded.bytes.size());
    }
};

Fixture &FixtureFor(Variant variant, int count)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Fixture>> fixtures;
    auto &fixture = fixtures[{variant, count}];
    if (!fixture)
        fixture = std::make_unique<Fixture>(variant, count);
    return *fixture;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the benchmark file");
    return file.readAll();
}

// Wall-clock and processor time of each pass. On a busy machine the wall
// clock also counts the time spent waiting for a processor, so both are kept.
struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
    std::vector<double> faults; // pages the system had to provide

    template <typename F> void Measure(F &&work)
    {
        const long faultsStart = bench::PageFaults();
        const double cpuStart = bench::ThreadCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cpu.push_back(bench::ThreadCpuMilliseconds() - cpuStart);
        faults.push_back(double(bench::PageFaults() - faultsStart));
    }
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void SetCounters(benchmark::State &state, const std::string &name, const Times &work,
                 const Times &bare)
{
    const double workCpu = Median(work.cpu);
    const double bareCpu = Median(bare.cpu);
    state.counters[name + "_cpu_ms"] = workCpu;
    state.counters["bare_cpu_ms"] = bareCpu;
    state.counters["ratio_cpu"] = workCpu / bareCpu;
    state.counters[name + "_wall_ms"] = Median(work.wall);
    state.counters["bare_wall_ms"] = Median(bare.wall);
    state.counters["ratio_wall"] = Median(work.wall) / Median(bare.wall);
    state.counters[name + "_faults"] = Median(work.faults);
    state.counters["bare_faults"] = Median(bare.faults);
}

// One open, as the Open command reads a file into an empty store. The
// contents and the store are handed back, to be freed after the timing.
void Open(const Fixture &f, Times &times, std::unique_ptr<VocabStore> &store,
          VocabFileContents &contents)
{
    store = std::make_unique<VocabStore>();
    times.Measure([&] {
        QString error;
        if (!ReadVocabFileAt(f.path, contents, &error))
            qFatal("the benchmark file could not be read: %s", qPrintable(error));
        AddToStore(contents, *store);
    });
    if (store->ItemCount() != f.items.size() || !contents.messages.isEmpty())
        qFatal("the benchmark file did not read back whole");
}

void BareReadDecode(const Fixture &f, Times &times, QString &text)
{
    times.Measure([&] {
        const QByteArray bytes = ReadAll(f.path);
        text = f.utf8 ? QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3)
                      : vocabcodec::DecodeWindows1252(bytes.constData(), bytes.size());
    });
}

void BM_OpenAgainstBareReadDecode(benchmark::State &state)
{
    const int count = bench::Items(state.range(1));
    Fixture &f = FixtureFor(Variant(state.range(0)), count);
    Times open, bare;
    std::unique_ptr<VocabStore> store;
    VocabFileContents contents;
    QString text;
    Open(f, open, store, contents);
    BareReadDecode(f, bare, text);
    state.counters["first_open_cpu_ms"] = open.cpu.front();
    open = {};
    bare = {};
    for (auto _ : state) {
        Open(f, open, store, contents);
        BareReadDecode(f, bare, text);
        state.PauseTiming();
        store.reset();
        contents = {};
        text.clear();
        state.ResumeTiming();
    }
    SetCounters(state, "open", open, bare);
    state.counters["items"] = count;
    state.counters["us_per_item"] = Median(open.cpu) * 1000 / count;
}

void SaveFile(const Fixture &f, Times &times)
{
    times.Measure([&] {
        const VocabSaveResult saved = SaveVocabFile(f.path, f.items, 1);
        if (!saved.ok)
            qFatal("the benchmark file could not be saved: %s", qPrintable(saved.error));
    });
}

void BareEncodeWrite(const Fixture &f, Times &times)
{
    times.Measure([&] {
        QByteArray bytes;
        if (f.utf8) {
            bytes = "\xEF\xBB\xBF" + f.text.toUtf8();
        } else {
            bytes.reserve(f.text.size());
            vocabcodec::AppendWindows1252(bytes, f.text);
        }
        QFile file(f.barePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("the bare file could not be written");
    });
}

void BM_SaveAgainstBareEncodeWrite(benchmark::State &state)
{
    const int count = bench::Items(ItemTable::MaxItems);
    Fixture &f = FixtureFor(Variant(state.range(0)), count);
    Times save, bare;
    SaveFile(f, save);
    BareEncodeWrite(f, bare);
    save = {};
    bare = {};
    for (auto _ : state) {
        SaveFile(f, save);
        BareEncodeWrite(f, bare);
    }
    SetCounters(state, "save", save, bare);
}


// ---- Imports against Open -------------------------------------------------

enum ImportKind { Kvtml = 0, Tsv = 1, Csv = 2 };

QString XmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// The items as KDE's vocabulary library writes them: every entry, then one
// lesson container per lesson listing its entries.
QByteArray KvtmlOf(const QVector<VocabItem> &items)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
        "<kvtml version=\"2.0\">\n  <information>\n    <generator></generator>\n"
        "    <title>Benchmark</title>\n  </information>\n  <identifiers>\n"
        "    <identifier id=\"0\">\n      <name>English</name>\n      <locale>en</locale>\n"
        "    </identifier>\n    <identifier id=\"1\">\n      <name>Italian</name>\n"
        "      <locale>it</locale>\n    </identifier>\n  </identifiers>\n  <entries>\n");
    QVector<QVector<int>> lessons(21);
    for (int i = 0; i < items.size(); ++i) {
        xml += QStringLiteral("    <entry id=\"%1\">\n      <translation id=\"0\">\n        <text>")
                   .arg(i)
            + XmlEscaped(items[i].English)
            + QStringLiteral("</text>\n      </translation>\n      <translation id=\"1\">\n"
                             "        <text>")
            + XmlEscaped(items[i].MyLanguage)
            + QStringLiteral("</text>\n      </translation>\n    </entry>\n");
        lessons[items[i].LessonNumber()].append(i);
    }
    xml += QStringLiteral("  </entries>\n  <lessons>\n");
    for (int l = 1; l <= 20; ++l) {
        xml += QStringLiteral("    <container>\n      <name>Lesson %1</name>\n"
                              "      <inpractice>true</inpractice>\n")
                   .arg(l);
        for (int i : lessons[l])
            xml += QStringLiteral("      <entry id=\"%1\"/>\n").arg(i);
        xml += QStringLiteral("    </container>\n");
    }
    xml += QStringLiteral("  </lessons>\n</kvtml>\n");
    return xml.toUtf8();
}

// The items as a spreadsheet writes them: commas, quotes around fields that
// hold a comma or a quote, a header row.
QByteArray CsvOf(const QVector<VocabItem> &items)
{
    auto field = [](const QString &text) {
        if (!text.contains(u',') && !text.contains(u'"'))
            return text;
        return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    };
    QString csv = QStringLiteral("English,Italian,Lesson,Critical\n");
    for (const VocabItem &item : items)
        csv += field(item.English) + u',' + field(item.MyLanguage) + u','
            + QString::number(item.LessonNumber()) + u',' + item.CriticalMark.trimmed() + u'\n';
    return csv.toUtf8();
}

struct ImportFixture {
    QTemporaryDir dir;
    QString engPath;
    QString importPath;
    QVector<VocabItem> items;

    ImportFixture(ImportKind kind, int count) : items(bench::SampleItems(count, true))
    {
        engPath = dir.filePath("words.eng");
        const VocabFileBytes eng = EncodeVocabFile(items, 1);
        QByteArray imported;
        switch (kind) {
        case Kvtml:
            importPath = dir.filePath("words.kvtml");
            imported = KvtmlOf(items);
            // KVTML keeps no critical marks, and its items come lesson by
            // lesson.
            for (VocabItem &item : items)
                item.CriticalMark = QStringLiteral(" ");
            std::stable_sort(items.begin(), items.end(), [](const VocabItem &a, const VocabItem &b) {
                return a.Lesson < b.Lesson;
            });
            break;
        case Tsv:
            importPath = dir.filePath("words.tsv");
            imported = EncodeTable(items, 1).bytes;
            break;
        case Csv:
            importPath = dir.filePath("words.csv");
            imported = CsvOf(items);
            break;
        }
        for (const auto &[path, bytes] : {std::pair{engPath, eng.bytes}, std::pair{importPath, imported}}) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the benchmark file");
        }
    }
};

// What the previous read left is freed before the timing starts.
void ReadInto(const QString &path, Times &times, std::unique_ptr<VocabStore> &store,
              VocabFileContents &contents)
{
    store = std::make_unique<VocabStore>();
    contents = {};
    times.Measure([&] {
        QString error;
        if (!ReadAnyVocabFileAt(path, contents, &error))
            qFatal("the benchmark file could not be read: %s", qPrintable(error));
        AddToStore(contents, *store);
    });
}

void BM_ImportAgainstOpen(benchmark::State &state)
{
    const int count = bench::Items(state.range(1));
    const ImportFixture f(ImportKind(state.range(0)), count);
    Times import, open;
    std::unique_ptr<VocabStore> store;
    VocabFileContents contents;
    ReadInto(f.importPath, import, store, contents);
    if (store->Items() != f.items || !contents.messages.isEmpty())
        qFatal("the imported items differ from the benchmark items");
    ReadInto(f.engPath, open, store, contents);
    import = {};
    open = {};
    for (auto _ : state) {
        ReadInto(f.importPath, import, store, contents);
        ReadInto(f.engPath, open, store, contents);
        state.PauseTiming();
        store.reset();
        contents = {};
        state.ResumeTiming();
    }
    state.counters["import_cpu_ms"] = Median(import.cpu);
    state.counters["open_cpu_ms"] = Median(open.cpu);
    state.counters["ratio_cpu"] = Median(import.cpu) / Median(open.cpu);
    state.counters["import_wall_ms"] = Median(import.wall);
    state.counters["open_wall_ms"] = Median(open.wall);
    state.counters["ratio_wall"] = Median(import.wall) / Median(open.wall);
    state.counters["items"] = count;
}

} // namespace

BENCHMARK(BM_OpenAgainstBareReadDecode)
    ->ArgNames({"utf8", "items"})
    ->ArgsProduct({{Windows1252, Utf8}, {1000, 4000, 16000, ItemTable::MaxItems}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAgainstBareEncodeWrite)->ArgName("utf8")->Arg(Windows1252)->Arg(Utf8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportAgainstOpen)
    ->ArgNames({"kvtml_tsv_csv", "items"})
    ->ArgsProduct({{Kvtml, Tsv, Csv}, {ItemTable::MaxItems}})
    ->Unit(benchmark::kMillisecond);
