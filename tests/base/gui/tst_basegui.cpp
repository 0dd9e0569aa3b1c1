// Texts for the screen and the program icon. Each piece of a message is decoded by what it
// is, so a directory named in the system's encoding and a gauge name from panel.cfg both
// read right; the SVG the desktop shows must read as a drawing, or the menus and the file
// manager show none.

#include "base/gui/modeltext.h"
#include "base/gui/programicon.h"
#include "guisupport/testprogram.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace cockpix;

class TestBaseGui : public QObject {
    Q_OBJECT
private slots:
    void piecesOfAMessageKeepTheirOwnEncodings() {
        // "é" is two UTF-8 bytes in a Linux path and one Windows-1252 byte in panel.cfg.
        const UserText text = "[" + UserText::path("/fs98/\xC3\xA9t\xC3\xA9/") +
                              UserText::panelText("m\xE9ter \x80") + ".gau]";
        QCOMPARE(toQString(text), QString::fromUtf8("[/fs98/été/méter €.gau]"));
        QCOMPARE(text.toUtf8(),
                 std::string("[/fs98/\xC3\xA9t\xC3\xA9/m\xC3\xA9ter \xE2\x82\xAC.gau]"));
        // Every Windows-1252 byte comes back from the screen unchanged.
        std::string all;
        for (int byte = 1; byte < 256; ++byte)
            all += char(byte);
        QCOMPARE(toModelText(fromModelText(all)), all);
        QCOMPARE(toModelText(QString::fromUtf8("Ω")), std::string("?"));
    }

    void theIconIsAWellFormedSquareDrawing() {
        QXmlStreamReader svg(programIconSvg());
        QStringList elements;
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::StartElement)
                elements << svg.name().toString();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QCOMPARE(elements.value(0), QStringLiteral("svg"));
        QVERIFY(programIconSvg().contains("viewBox=\"0 0 64 64\""));
    }
};

COCKPIX_TEST_CLASS(TestBaseGui)
#include "tst_basegui.moc"
