// Every file of the fuzz targets' corpus, replayed through the same checks the fuzzers run, with the
// normal compiler: the hostile seeds and every input that once broke a reader stay covered in every build.
#include "fuzz_targets.h"

#include "platform/filetable.h"
#include "testing/question_reader.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFuzzCorpus : public QObject {
    Q_OBJECT

    static QString corpusFolder() { return QStringLiteral(WIEDO_FUZZ_CORPUS); }

private slots:
    void everyTargetHasItsSeeds()
    {
        for (const fuzz::Target& target : fuzz::targets) {
            const QDir folder(corpusFolder() + u'/' + QLatin1String(target.name));
            QVERIFY2(folder.entryList(QDir::Files).size() >= 10,
                     qPrintable(QStringLiteral("too few seeds in %1").arg(folder.path())));
        }
    }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("path");
        for (int t = 0; t < static_cast<int>(fuzz::targets.size()); ++t) {
            const QString name = QLatin1String(fuzz::targets[t].name);
            const QDir folder(corpusFolder() + u'/' + name);
            for (const QString& file : folder.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(name + u'/' + file)) << t << folder.filePath(file);
        }
    }

    void replay()
    {
        QFETCH(int, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        try {
            fuzz::targets[target].run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()));
        } catch (const fuzz::Failure& e) {
            QFAIL(e.what());
        } catch (const std::exception& e) {
            QFAIL(qPrintable(QStringLiteral("escaped exception: %1").arg(QString::fromLocal8Bit(e.what()))));
        }
    }

    // The editor target works in a temporary current folder (the working copy goes there); the caller's
    // folder must be back afterwards, or the replay's relative paths would break.
    void editorKeepsTheCurrentFolder()
    {
        const QString before = QDir::currentPath();
        const QByteArray input = QByteArray("\x01\x01") + "\"Kwiz v 1.0\"\r\n\"q\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n"
                                 "1,2,2,2,2\r\n";
        try {
            fuzz::fuzzEditor(reinterpret_cast<const std::uint8_t*>(input.constData()),
                             static_cast<std::size_t>(input.size()));
        } catch (const fuzz::Failure& e) {
            QFAIL(e.what());
        }
        QCOMPARE(QDir::currentPath(), before);
    }

    void cleanup()
    {
        // A failed row must not leave its files to the next one.
        testing::QuestionReader::instance().close();
        platform::files().abandonAll();
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
