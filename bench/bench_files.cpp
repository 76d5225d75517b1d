// Opening and saving a full vocabulary (32,767 items with accented letters),
// each measured against the bare work on the same bytes in the same run:
//   Open: read the file, decode, check every row, fill the store
//     against: read the file and decode it in one piece;
//   Save: build, encode and write the file through a save file
//     against: encode the same text in one piece and write it with a plain file.
// The counters give both times per pass in milliseconds, as processor time
// of the thread and as wall-clock time, and their ratios.
#include "vocab/vocabfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

namespace {

enum Variant { Windows1252 = 0, Utf8 = 1 };

QVector<VocabItem> MakeItems(Variant variant)
{
    static const char16_t *const english[] = {u"house (home, dwelling)", u"to get [informal]",
                                              u"because", u"street", u"naive (credulous)",
                                              u"to go away"};
    static const char16_t *const mine[] = {u"casa (dimora, abitazione)", u"perché (poiché)",
                                           u"Straße [f.]", u"naïve (crédule)", u"andar via",
                                           u"être (exister, se trouver)"};
    QVector<VocabItem> items;
    items.reserve(ItemTable::MaxItems);
    for (int i = 0; i < ItemTable::MaxItems; ++i) {
        VocabItem item;
        item.Lesson = QStringLiteral("%1").arg(i % 20 + 1, 2, 10, QLatin1Char('0'));
        item.CriticalMark = (i % 7 == 0) ? QStringLiteral("c") : QStringLiteral(" ");
        item.English = QStringLiteral("w%1 ").arg(i) + QString::fromUtf16(english[i % 6]);
        item.MyLanguage = QString::fromUtf16(mine[(i / 6) % 6]);
        if (variant == Utf8 && i % 5 == 0)
            item.MyLanguage += QStringLiteral(" łódź");
        items.append(item);
    }
    return items;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    QString barePath;
    QVector<VocabItem> items;
    QString text; // the whole file, decoded
    bool utf8 = false;

    explicit Fixture(Variant variant)
        : path(dir.filePath("words.eng")), barePath(dir.filePath("bare.eng")),
          items(MakeItems(variant))
    {
        const VocabFileBytes encoded = EncodeVocabFile(items, 1);
        utf8 = encoded.utf8;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(encoded.bytes) != encoded.bytes.size())
            qFatal("cannot write the benchmark file");
        text = utf8 ? QString::fromUtf8(encoded.bytes.mid(3))
                    : vocabcodec::DecodeWindows1252(encoded.bytes.constData(),
                                                    encoded.bytes.size());
    }
};

Fixture &FixtureFor(Variant variant)
{
    static Fixture windows(Windows1252);
    static Fixture utf8(Utf8);
    return variant == Utf8 ? utf8 : windows;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the benchmark file");
    return file.readAll();
}

double ThreadCpuMilliseconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall-clock and processor time of one piece of work. On a busy machine the
// wall clock also counts the time spent waiting for a processor, so both
// are kept.
struct Times {
    double wall = 0;
    double cpu = 0;
};

template <typename F> void Measure(Times &total, F &&work)
{
    const double cpuStart = ThreadCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    total.wall +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    total.cpu += ThreadCpuMilliseconds() - cpuStart;
}

void SetCounters(benchmark::State &state, const std::string &name, const Times &work,
                 const Times &bare)
{
    const double passes = double(state.iterations());
    state.counters[name + "_cpu_ms"] = work.cpu / passes;
    state.counters["bare_cpu_ms"] = bare.cpu / passes;
    state.counters["ratio_cpu"] = work.cpu / bare.cpu;
    state.counters[name + "_wall_ms"] = work.wall / passes;
    state.counters["bare_wall_ms"] = bare.wall / passes;
    state.counters["ratio_wall"] = work.wall / bare.wall;
}

void BM_OpenAgainstBareReadDecode(benchmark::State &state)
{
    Fixture &f = FixtureFor(Variant(state.range(0)));
    Times open, bare;
    for (auto _ : state) {
        Measure(open, [&] {
            const VocabFileContents contents = ReadVocabFile(ReadAll(f.path));
            VocabStore store;
            AddToStore(contents, store);
            if (store.ItemCount() != ItemTable::MaxItems || !contents.messages.isEmpty())
                qFatal("the benchmark file did not read back whole");
            benchmark::DoNotOptimize(store.ItemCount());
        });
        Measure(bare, [&] {
            const QByteArray bytes = ReadAll(f.path);
            const QString text = f.utf8
                ? QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3)
                : vocabcodec::DecodeWindows1252(bytes.constData(), bytes.size());
            benchmark::DoNotOptimize(text.constData());
        });
    }
    SetCounters(state, "open", open, bare);
}

void BM_SaveAgainstBareEncodeWrite(benchmark::State &state)
{
    Fixture &f = FixtureFor(Variant(state.range(0)));
    Times save, bare;
    for (auto _ : state) {
        Measure(save, [&] {
            if (!SaveVocabFile(f.path, f.items, 1).ok)
                qFatal("the benchmark file could not be saved");
        });
        Measure(bare, [&] {
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
    SetCounters(state, "save", save, bare);
}

} // namespace

BENCHMARK(BM_OpenAgainstBareReadDecode)->ArgName("utf8")->Arg(Windows1252)->Arg(Utf8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAgainstBareEncodeWrite)->ArgName("utf8")->Arg(Windows1252)->Arg(Utf8)
    ->Unit(benchmark::kMillisecond);
