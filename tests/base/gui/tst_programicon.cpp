// The program icon: the SVG the desktop shows and the pictures the windows carry come from one
// table of shapes, so they must agree.

#include "base/gui/programicon.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace cockpix;

class TestProgramIcon : public QObject {
    Q_OBJECT
private slots:
    void theSvgIsAWellFormedSquareDrawing() {
        QXmlStreamReader svg(programIconSvg());
        QStringList elements;
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::StartElement)
                elements << svg.name().toString();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QCOMPARE(elements.value(0), QStringLiteral("svg"));
        QVERIFY(programIconSvg().contains("viewBox=\"0 0 64 64\""));
        QVERIFY(elements.count("circle") >= 2 && elements.contains("line"));
    }

    // Drawn on a transparent ground, the board filling the middle, at every size asked.
    void thePicturesShowTheSameBoardAtEverySize() {
        for (int size : {16, 48, 256}) {
            const QImage image = programIconImage(size);
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
            // The board's colour (#44566a) just inside its left edge, halfway down.
            const QColor board = QColor::fromRgba(image.pixel(size * 8 / 64, size * 42 / 64));
            QVERIFY2(qAbs(board.red() - 0x44) < 12 && qAbs(board.blue() - 0x6a) < 12,
                     qPrintable(board.name() + " at " + QString::number(size)));
        }
        QVERIFY(programIcon().availableSizes().contains(QSize(48, 48)));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
