// Texts for the screen: each piece of a message is decoded by what it is, so a directory
// named in the system's encoding and a gauge name from panel.cfg both read right.

#include "base/gui/modeltext.h"

#include <QTest>

using namespace cockpix;

class TestModelText : public QObject {
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
};

QTEST_GUILESS_MAIN(TestModelText)
#include "tst_modeltext.moc"
