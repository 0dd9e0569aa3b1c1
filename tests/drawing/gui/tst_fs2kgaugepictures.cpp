// The pictures of the gauges of panels of FS2000 and later: XML gauges in a folder and in a
// cabinet, in FS2004's and FSX's forms, FS98 modules, every broken input with its reason,
// and the cache that reads each module once until it changes.

#include "drawing/gui/fs2k/gaugepictures.h"
#include "guisupport/testprogram.h"

#include "demo/gaugemodulewriter.h"
#include "drawing/gui/fs2k/xmlgaugebackground.h"
#include "support/cabmaker.h"
#include "template/core/checkfixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cockpix;
using test::checkModule;
using test::eightBitBitmap;
using test::writeFile;

namespace {

const char* const kFs2004 = R"(<Gauge Name="Clock" Version="1.0">
  <Element><Image Name="hand.bmp"/></Element>
  <Image Name="Face.BMP" ImageSizes="30,20"/>
</Gauge>
)";

// The picture's name in a child element, after an element that has a picture of its own.
const char* const kFsx = R"(<?xml version="1.0" encoding="UTF-8"?>
<SimBase.Document Type="AceXML" version="1,0" id="Fuel">
  <SimGauge.Gauge id="Fuel">
    <Element id="Needle"><Image id="n" Name="hand.bmp"/></Element>
    <Image id="Back"><Name>pics\back</Name><Transparent>True</Transparent></Image>
  </SimGauge.Gauge>
</SimBase.Document>
)";

// Only an element's picture: it stands for the background.
const char* const kFsxElementOnly = R"(<SimBase.Document Type="AceXML" version="1,0">
  <SimGauge.Gauge id="Vsi"><Element><Element><Image id="x" Name="HAND.bmp"/></Element></Element>
  </SimGauge.Gauge></SimBase.Document>)";

// A bitmap whose header declares 1 x 100000 pixels.
std::string tallBitmap() {
    std::string bytes = eightBitBitmap(1, 1);
    test::put32(bytes, 22, 100000);
    return bytes;
}

// An FS98 module of one gauge whose picture of width x height can be cut out whole.
std::string fs98Module(unsigned width, unsigned height) {
    std::string module = test::fillerModule(4050 + 1078 + (width + 3) * (height + 3) + 200);
    test::putMarker(module, 4000);
    test::putInfoHeader(module, 4010, width, height, 0);
    return module;
}

} // namespace

class TestFs2kGaugePictures : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    std::string m_panelDir;
    std::string m_gaugesDir;
    bool m_cabs = false;

    std::filesystem::path at(const std::string& relative) const {
        return std::filesystem::path(m_root.path().toStdString()) / relative;
    }
    // Writes the XML gauges' files into folder (relative to the root).
    void writeXmlGauges(const std::string& folder) {
        writeFile(at(folder + "/Clock.xml"), kFs2004);
        writeFile(at(folder + "/Fuel.xml"), kFsx);
        writeFile(at(folder + "/Vsi.xml"), kFsxElementOnly);
        writeFile(at(folder + "/face.bmp"), eightBitBitmap(30, 20));
        writeFile(at(folder + "/hand.bmp"), eightBitBitmap(5, 7));
        writeFile(at(folder + "/PICS/Back.bmp"), eightBitBitmap(64, 48));
        writeFile(at(folder + "/Broken.xml"),
                  "<Gauge Name=\"B\"><Image Name=\"face.bmp\"></Gauge>");
        writeFile(at(folder + "/Plain.xml"), "<Gauge Name=\"P\"><Element/></Gauge>");
        writeFile(at(folder + "/Lost.xml"), "<Gauge><Image Name=\"gone.bmp\"/></Gauge>");
        writeFile(at(folder + "/Tall.xml"), "<Gauge><Image Name=\"tall.bmp\"/></Gauge>");
        writeFile(at(folder + "/tall.bmp"), tallBitmap());
        writeFile(at(folder + "/Cut.xml"), "<Gauge><Image Name=\"cut.bmp\"/></Gauge>");
        writeFile(at(folder + "/cut.bmp"), eightBitBitmap(40, 40).substr(0, 1200));
    }

    QSize sizeOf(fs2k::GaugePictures& pictures, std::string_view name) {
        const fs2k::GaugePicture made = pictures.picture(name, m_panelDir, m_gaugesDir);
        if (made.picture.isNull())
            qWarning() << name.data() << made.reason;
        return made.picture.size();
    }
    QString reasonOf(fs2k::GaugePictures& pictures, std::string_view name) {
        const fs2k::GaugePicture made = pictures.picture(name, m_panelDir, m_gaugesDir);
        return made.picture.isNull() ? made.reason : QStringLiteral("<a picture>");
    }

private slots:
    void initTestCase() {
        QVERIFY(m_root.isValid());
        m_panelDir = at("panel").string() + "/";
        m_gaugesDir = at("gauges").string() + "/";
        writeXmlGauges("gauges/XmlPack");
        writeXmlGauges("packing");
        m_cabs = test::makeCab(at("packing"), at("gauges/Dials.cab"),
                               "Clock.xml Fuel.xml Vsi.xml face.bmp hand.bmp PICS/Back.bmp "
                               "Broken.xml Plain.xml Lost.xml Tall.xml tall.bmp Cut.xml cut.bmp");
        writeFile(at("gauges/Broken.cab"), "MSCF and nothing more");
        if (m_cabs) {
            const std::string cab = test::fileText(at("gauges/Dials.cab"));
            writeFile(at("gauges/Cut.cab"), cab.substr(0, cab.size() - 300));
        }
        writeFile(at("panel/Round.gau"), fs98Module(40, 30));
        writeFile(at("gauges/Blank.gau"), checkModule(std::nullopt, 40));
        writeFile(at("gauges/Multi.dll"), fs98Module(40, 30));
    }

    void xmlGaugesInAFolderShowTheirBackgrounds() {
        fs2k::GaugePictures pictures;
        QCOMPARE(sizeOf(pictures, "xmlpack!clock"), QSize(30, 20)); // FS2004's form
        QCOMPARE(sizeOf(pictures, "XmlPack!Fuel"), QSize(64, 48));  // FSX's form, a <Name>
        QCOMPARE(sizeOf(pictures, "XmlPack!Vsi"), QSize(5, 7));     // an element's picture
    }

    void xmlGaugesInACabinetShowTheirBackgroundsFromOneReading() {
        if (!m_cabs)
            QSKIP("gcab is not installed");
        fs2k::GaugePictures pictures;
        const std::vector<fs2k::GaugePicture> all = pictures.pictures(
            {"Dials!Clock", "dials!FUEL", "Dials!Vsi", "Dials!Lost"}, m_panelDir, m_gaugesDir);
        QCOMPARE(all.size(), std::size_t(4));
        QCOMPARE(all[0].picture.size(), QSize(30, 20));
        QCOMPARE(all[1].picture.size(), QSize(64, 48));
        QCOMPARE(all[2].picture.size(), QSize(5, 7));
        QCOMPARE(all[3].reason, QStringLiteral("gone.bmp is not in Dials.cab"));
        QCOMPARE(pictures.filesRead(), 1);
    }

    void brokenGaugesGiveAReasonInstead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        for (const QString& module : {QStringLiteral("XmlPack"), QStringLiteral("Dials")}) {
            const QByteArray m = module.toLatin1();
            const QString where = module == "Dials" ? QStringLiteral("Dials.cab")
                                                    : QStringLiteral("the folder XmlPack");
            QTest::newRow(m + " not well-formed")
                << module + "!Broken"
                << "Broken.xml is not well-formed XML (line 1: Opening and ending tag mismatch.)";
            QTest::newRow(m + " no picture") << module + "!Plain"
                                             << "Plain.xml names no picture";
            QTest::newRow(m + " bitmap missing") << module + "!Lost"
                                                 << "gone.bmp is not in " + where;
            QTest::newRow(m + " bitmap too tall")
                << module + "!Tall"
                << "tall.bmp is 1 x 100000 pixels: too large for a gauge picture";
            QTest::newRow(m + " bitmap cut")
                << module + "!Cut"
                << "cut.bmp is not a bitmap that can be read (or is cut short)";
        }
        QTest::newRow("no such gauge")
            << "Dials!Compass"
            << "Dials!Compass is not in the panel folder or the gauges folder (as Dials.gau, "
               "Dials.dll, Dials/Compass.xml or Compass.xml in Dials.cab)";
        QTest::newRow("no such module")
            << "Nowhere"
            << "Nowhere.gau is not in the panel folder or the gauges folder";
        QTest::newRow("not a cabinet") << "Broken!Gauge"
                                       << "Broken.cab cannot be read as a cabinet";
        QTest::newRow("cabinet cut short")
            << "Cut!Clock"
            << "Cut.cab cannot be read (its packed data is broken or larger than a gauge cabinet "
               "can be)";
        QTest::newRow("FS98 module without a picture") << "blank"
                                                       << "no picture can be cut out of Blank.gau";
        QTest::newRow("one gauge of several, not a library")
            << "Multi!Attitude"
            << "Multi.dll: the module is not a 32-bit Windows library (no MZ header)";
    }

    void brokenGaugesGiveAReasonInstead() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        if (!m_cabs && (name.startsWith("Dials") || name.startsWith("Cut")))
            QSKIP("gcab is not installed");
        fs2k::GaugePictures pictures;
        QCOMPARE(reasonOf(pictures, name.toStdString()), reason);
    }

    void fs98ModulesShowThePictureCutOutOfThem() {
        fs2k::GaugePictures pictures;
        QCOMPARE(sizeOf(pictures, "round"), QSize(40, 30)); // the panel folder's own
    }

    void cGaugesOfOneModuleShowTheirOwnPictures() {
        demo::GaugeModuleContents contents;
        using demo::ElementKind;
        contents.gauges = {
            {"Airspeed", {{ElementKind::StaticPicture, 1, 0, 0, {}}}},
            {"Clock",
             {{ElementKind::Needle, 0, 0, 0, {}}, {ElementKind::StaticPicture, 2, 0, 0, {}}}}};
        contents.bitmaps = {demo::bitmapResource(1, IndexedImage(12, 9, 3)),
                            demo::bitmapResource(2, IndexedImage(20, 10, 4))};
        writeFile(at("gauges/Cessna.gau"), demo::gaugeLibraryBytes(contents));
        fs2k::GaugePictures pictures;
        const std::vector<fs2k::GaugePicture> all = pictures.pictures(
            {"Cessna!Airspeed", "cessna!CLOCK", "Cessna!Compass"}, m_panelDir, m_gaugesDir);
        QCOMPARE(all[0].picture.size(), QSize(12, 9));
        QCOMPARE(all[1].picture.size(), QSize(20, 10));
        QCOMPARE(all[2].reason, QStringLiteral("Cessna.gau: no gauge named Compass in module"));
        QCOMPARE(pictures.filesRead(), 1);
    }

    void eachModuleIsReadOnceUntilItChanges() {
        const std::string dir = "cache";
        writeFile(at(dir + "/Own/Clock.xml"), kFs2004);
        writeFile(at(dir + "/Own/face.bmp"), eightBitBitmap(30, 20));
        writeFile(at(dir + "/Solo.gau"), fs98Module(40, 30));
        const std::string saved = m_gaugesDir;
        m_gaugesDir = at(dir).string() + "/";
        fs2k::GaugePictures pictures;
        QCOMPARE(sizeOf(pictures, "Own!Clock"), QSize(30, 20));
        QCOMPARE(sizeOf(pictures, "Solo"), QSize(40, 30));
        const int read = pictures.filesRead();
        QCOMPARE(sizeOf(pictures, "own!clock"), QSize(30, 20));
        QCOMPARE(sizeOf(pictures, "SOLO"), QSize(40, 30));
        QCOMPARE(pictures.filesRead(), read);

        writeFile(at(dir + "/Own/face.bmp"), eightBitBitmap(31, 21)); // the bitmap alone
        QCOMPARE(sizeOf(pictures, "Own!Clock"), QSize(31, 21));
        writeFile(at(dir + "/Own/Clock.xml"), "<Gauge><Image Name=\"other.bmp\"/></Gauge>");
        QCOMPARE(reasonOf(pictures, "Own!Clock"),
                 QStringLiteral("other.bmp is not in the folder Own"));
        writeFile(at(dir + "/Own/Other.BMP"), eightBitBitmap(8, 9)); // the bitmap comes later
        QCOMPARE(sizeOf(pictures, "Own!Clock"), QSize(8, 9));
        writeFile(at(dir + "/Solo.gau"), fs98Module(50, 20));
        QCOMPARE(sizeOf(pictures, "Solo"), QSize(50, 20));
        QCOMPARE(pictures.filesRead(), read + 2);
        m_gaugesDir = saved;
    }

    void aCabinetIsUnpackedAgainWhenItChanges() {
        if (!m_cabs)
            QSKIP("gcab is not installed");
        const std::filesystem::path cab = at("again/Pack.cab");
        writeFile(at("again/in/Clock.xml"), kFs2004);
        writeFile(at("again/in/face.bmp"), eightBitBitmap(30, 20));
        QVERIFY(test::makeCab(at("again/in"), cab, "Clock.xml face.bmp"));
        const std::string saved = m_gaugesDir;
        m_gaugesDir = at("again").string() + "/";
        fs2k::GaugePictures pictures;
        QCOMPARE(sizeOf(pictures, "Pack!Clock"), QSize(30, 20));
        QCOMPARE(sizeOf(pictures, "Pack!Clock"), QSize(30, 20));
        QCOMPARE(pictures.filesRead(), 1);
        writeFile(at("again/in/face.bmp"), eightBitBitmap(60, 20));
        QVERIFY(test::makeCab(at("again/in"), cab, "Clock.xml face.bmp"));
        QCOMPARE(sizeOf(pictures, "Pack!Clock"), QSize(60, 20));
        QCOMPARE(pictures.filesRead(), 2);
        m_gaugesDir = saved;
    }

    void backgroundsAreNamedInEitherShape() {
        QCOMPARE(fs2k::xmlGaugeBackground(kFs2004, "a.xml").bitmap, QStringLiteral("Face.BMP"));
        QCOMPARE(fs2k::xmlGaugeBackground(kFsx, "a.xml").bitmap, QStringLiteral("pics\\back"));
        QCOMPARE(fs2k::xmlGaugeBackground("<Other/>", "a.xml").reason,
                 QStringLiteral("a.xml holds no gauge"));
        QCOMPARE(fs2k::xmlGaugeBackground("", "a.xml").reason.left(28),
                 QStringLiteral("a.xml is not well-formed XML"));
        // Only the first gauge of a file counts.
        QCOMPARE(fs2k::xmlGaugeBackground("<r><Gauge/><Gauge><Image Name=\"x.bmp\"/></Gauge></r>",
                                          "a.xml")
                     .reason,
                 QStringLiteral("a.xml names no picture"));
    }
};

COCKPIX_TEST_CLASS(TestFs2kGaugePictures)
#include "tst_fs2kgaugepictures.moc"
