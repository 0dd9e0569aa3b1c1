// The program icon: the SVG the desktop shows must read as a drawing, or the menus and the
// file manager show none.

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
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
