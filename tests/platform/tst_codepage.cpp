// The Windows-1250 conversion of the program's files: Polish letters both ways, the characters the code
// page cannot hold, and the whole table against the system's codec where it has one.
#include "platform/codepage.h"

#include <QStringDecoder>
#include <QtTest>

class tst_Codepage : public QObject {
    Q_OBJECT
private slots:
    void bothWays_data();
    void bothWays();
    void unmappableBecomesQuestionMark_data();
    void unmappableBecomesQuestionMark();
    void everyByteRoundTrips();
    void agreesWithTheSystemCodec();
};

void tst_Codepage::bothWays_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("small_polish_letters") << QStringLiteral("ąćęłńóśźż") << QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
    QTest::newRow("capital_polish_letters") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ") << QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    QTest::newRow("ascii_untouched") << QStringLiteral("A,\"b\"\r\n9") << QByteArray("A,\"b\"\r\n9");
    QTest::newRow("quotes_dashes_euro") << QStringLiteral("„x” – €") << QByteArray("\x84x\x94 \x96 \x80");
    QTest::newRow("unassigned_byte_as_control") << QStringLiteral("\u0081\u0098") << QByteArray("\x81\x98");
    QTest::newRow("empty") << QString() << QByteArray();
}

void tst_Codepage::bothWays() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(platform::encode1250(text), bytes);
    QCOMPARE(platform::decode1250(bytes), text);
}

void tst_Codepage::unmappableBecomesQuestionMark_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cyrillic") << QStringLiteral("aЖb") << QByteArray("a?b");
    QTest::newRow("latin1_not_in_1250") << QStringLiteral("ñ") << QByteArray("?");
    QTest::newRow("surrogate_pair_is_one_char") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void tst_Codepage::unmappableBecomesQuestionMark() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(platform::encode1250(text), bytes);
}

void tst_Codepage::everyByteRoundTrips() {
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        const QString decoded = platform::decode1250(one);
        QCOMPARE(decoded.size(), 1);
        QVERIFY2(platform::encode1250(decoded) == one, qPrintable(QString::number(b, 16)));
    }
}

void tst_Codepage::agreesWithTheSystemCodec() {
    QStringDecoder system("windows-1250");
    if (!system.isValid())
        QSKIP("this Qt has no Windows-1250 codec to compare with");
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString expected = system.decode(QByteArrayView(&byte, 1));
        QVERIFY2(platform::decode1250(&byte, 1) == expected,
                 qPrintable(QStringLiteral("byte %1: U+%2 against U+%3")
                                .arg(b, 2, 16)
                                .arg(platform::decode1250(&byte, 1).at(0).unicode(), 4, 16)
                                .arg(expected.isEmpty() ? 0 : expected.at(0).unicode(), 4, 16)));
    }
}

QTEST_APPLESS_MAIN(tst_Codepage)
#include "tst_codepage.moc"
