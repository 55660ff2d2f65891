// Which support-scheme document the button opens: the working folder before the program's
// folder, the plant's "ris.vsd" before the drawing "ris.svg" installed with the program.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support_scheme.h"

class TestSupportScheme : public QObject {
    Q_OBJECT
  private slots:
    void firstSchemeFound_data() {
        QTest::addColumn<QStringList>("inCurrent");  // files in the working folder
        QTest::addColumn<QStringList>("inProgram");  // files beside the executable
        QTest::addColumn<QString>("expected");       // "current/..." or "program/...", or ""
        QTest::newRow("installed drawing only")
            << QStringList{} << QStringList{"ris.svg"} << "program/ris.svg";
        QTest::newRow("plant document beside the program wins over the drawing")
            << QStringList{} << QStringList{"ris.svg", "ris.vsd"} << "program/ris.vsd";
        QTest::newRow("working folder wins over the program's folder")
            << QStringList{"ris.svg"} << QStringList{"ris.vsd"} << "current/ris.svg";
        QTest::newRow("plant document in the working folder")
            << QStringList{"ris.vsd", "ris.svg"} << QStringList{"ris.svg"} << "current/ris.vsd";
        QTest::newRow("a folder of that name is no document")
            << QStringList{"ris.vsd/"} << QStringList{"ris.svg"} << "program/ris.svg";
        QTest::newRow("neither folder holds one")
            << QStringList{"Data.xls", "ris.pdf"} << QStringList{"ris.vsd/"} << "";
    }
    void firstSchemeFound() {
        QFETCH(QStringList, inCurrent);
        QFETCH(QStringList, inProgram);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir base(root.path());
        QVERIFY(base.mkpath("current") && base.mkpath("program"));
        const auto create = [&base](const QString& folder, const QStringList& names) {
            for (const QString& name : names) {
                const QString path = base.filePath(folder + '/' + name);
                if (name.endsWith('/')) {
                    if (!base.mkpath(path)) return false;
                } else if (QFile file(path); !file.open(QIODevice::WriteOnly)) {
                    return false;
                }
            }
            return true;
        };
        QVERIFY(create("current", inCurrent) && create("program", inProgram));
        const QString found =
            FindSupportScheme(QDir(base.filePath("current")), QDir(base.filePath("program")));
        QCOMPARE(found, expected.isEmpty() ? QString() : base.absoluteFilePath(expected));
    }
};

QTEST_GUILESS_MAIN(TestSupportScheme)
#include "test_support_scheme.moc"
