// The compiled-in pictures: every name that the windows ask for is there, and
// every picture is a drawing that Qt's SVG renderer reads without complaint and
// paints something with. The help page is checked for being self-contained.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtTest>

// The names by which the program's windows load their pictures.
static const QStringList kPictureNames = {
    "flag_italy", "flag_france", "flag_germany", "flag_spain", "flag_none",
    "banItaly", "banFrance", "banGermany", "banSpain", "banOthers", "banEnglish",
    "icoItaly", "icoFrance", "icoGermany", "icoSpain", "icoOthers",
    "Face0", "Face1", "Face2", "Face3", "ImHai", "ImOhi", "speaker",
    "tb_open", "tb_save", "tb_history", "tb_view", "tb_listen", "tb_edit",
    "tb_lessons", "tb_toenglish", "tb_help",
    "background", "splash", "about", "cursor_edit", "cursor_listen", "vocanto",
};

static QString picturePath(const QString &name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

class TestAssets : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // The SVG module reports what it cannot draw (unknown elements, missing
        // references, unsupported features) as warnings; a picture must cause none.
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    void everyNamedPictureIsPresent()
    {
        for (const QString &name : kPictureNames)
            QVERIFY2(QFileInfo(picturePath(name)).isFile(), qPrintable(picturePath(name) + " is missing"));
    }

    void picturesRender_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList files = QDir(":/pictures").entryList({"*.svg"}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << QStringLiteral(":/pictures/") + file;
    }

    void picturesRender()
    {
        QFETCH(QString, path);
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        const QRectF box = renderer.viewBoxF();
        QVERIFY2(box.width() > 0 && box.height() > 0, "no view box");
        QVERIFY(!renderer.defaultSize().isEmpty());

        // Paint at the design size (at least 32 pixels high) and demand that a fair
        // share of the pixels is covered: an empty or almost empty result means the
        // renderer dropped the drawing.
        const qreal scale = qMax<qreal>(1.0, 32.0 / box.height());
        QImage image((box.size() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();

        qint64 covered = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                covered += qAlpha(line[x]) > 0;
        }
        const qint64 total = qint64(image.width()) * image.height();
        QVERIFY2(covered * 10 >= total, qPrintable(QString("only %1 of %2 pixels painted").arg(covered).arg(total)));
    }

    void pictureShapes()
    {
        auto ratio = [](const QString &name) {
            const QRectF box = QSvgRenderer(picturePath(name)).viewBoxF();
            return box.width() / box.height();
        };
        // Icons, faces, toolbar pictures and pointers are square; a mouse pointer
        // is drawn for 32 x 32 pixels, where its hot spot coordinates apply.
        for (const QString &name : kPictureNames) {
            if (name.startsWith("ico") || name.startsWith("Face") || name.startsWith("tb_")
                || name.startsWith("cursor_") || name.startsWith("Im")
                || name == "speaker" || name == "vocanto")
                QVERIFY2(qFuzzyCompare(ratio(name), 1.0), qPrintable(name + " is not square"));
        }
        for (const char *name : {"cursor_edit", "cursor_listen"})
            QCOMPARE(QSvgRenderer(picturePath(name)).viewBoxF(), QRectF(0, 0, 32, 32));
        // Flags are wider than high, and so are the window banners.
        for (const QString &name : kPictureNames) {
            if (name.startsWith("flag_") || name.startsWith("ban"))
                QVERIFY2(ratio(name) > 1.2 && ratio(name) < 1.8, qPrintable(name + " has a wrong shape"));
        }
    }

    // Defined below the class: moc does not read raw string literals.
    void helpPageIsSelfContained();
};

void TestAssets::helpPageIsSelfContained()
{
    const QString path = QFINDTESTDATA("../resources/help/contiene/VOCA8ENH.HTM");
    QVERIFY2(!path.isEmpty(), "help page not found");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(page.contains(R"(<meta charset="utf-8">)"));

    // It is read from its local copy, perhaps without a network: no address
    // may lead outside the page.
    static const QRegularExpression external(R"((?:href|src)\s*=\s*"(?!#)|url\(|https?:|//)",
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = external.match(page);
    QVERIFY2(!found.hasMatch(), qPrintable("outside reference: " + found.captured(0)));

    // Every link of the table of contents lands on a heading of the page.
    static const QRegularExpression link(R"re(href="#([^"]+)")re");
    int links = 0;
    for (auto it = link.globalMatch(page); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        QVERIFY2(page.contains(QStringLiteral("id=\"%1\"").arg(target)),
                 qPrintable("no anchor for #" + target));
    }
    QVERIFY(links >= 10);
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
