// The drive list and the folder list: drive names, the classic folder rows, choosing folders by path,
// by double click and by Enter, and drives that cannot be read.
#include "platform/paths.h"
#include "support/program_fixture.h"
#include "ui/folder_lists.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using testsupport::ProgramFixture;

namespace {

QStringList rowTexts(const ui::FolderList& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

void doubleClickRow(ui::FolderList& list, int row) {
    const QRect rect = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

class tst_FolderLists : public QObject {
    Q_OBJECT
private slots:
    void driveNames_data();
    void driveNames();
    void driveOfFolder();
    void rowsShowAncestorsThenSubfolders();
    void setPath_data();
    void setPath();
    void doubleClickAndEnterOpenFolders();
    void showDriveRemembersFolderPerDrive();
    void driveListChoosing();
};

void tst_FolderLists::driveNames_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("letter_alone") << "c" << "c:";
    QTest::newRow("upper_case_with_colon") << "C:" << "c:";
    QTest::newRow("windows_path") << "C:\\WIEDO\\" << "c:";
    QTest::newRow("floppy") << "a:" << "a:";
    QTest::newRow("native_path") << "/usr/share" << "/";
    QTest::newRow("blanks_around") << "  c:  " << "c:";
    QTest::newRow("word") << "cd" << "";
    QTest::newRow("empty") << "" << "";
}

void tst_FolderLists::driveNames() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(ui::driveName(text), name);
}

void tst_FolderLists::driveOfFolder() {
    ProgramFixture fx;
    QDir().mkpath(fx.driveC() + "/WIEDO");
    QDir().mkpath(fx.root() + "/c2");  // shares drive C:'s folder name as a prefix, but lies outside it
    QCOMPARE(ui::driveOfFolder(fx.driveC()), QStringLiteral("c:"));
    QCOMPARE(ui::driveOfFolder(fx.driveC() + "/WIEDO"), QStringLiteral("c:"));
    QCOMPARE(ui::driveOfFolder(fx.root() + "/c2"), QStringLiteral("/"));
    QCOMPARE(ui::driveOfFolder(fx.programFolder()), QStringLiteral("/"));
    QCOMPARE(ui::driveRoot("C:").value_or("none"), QDir::cleanPath(fx.driveC()));
    QCOMPARE(ui::driveRoot("/").value_or("none"), QStringLiteral("/"));
    QVERIFY(!ui::driveRoot("a:"));
}

void tst_FolderLists::rowsShowAncestorsThenSubfolders() {
    ProgramFixture fx;
    for (const char* sub : {"/WIEDO/Testy/b", "/WIEDO/Testy/A", "/WIEDO/Testy/c", "/WIEDO/Other"})
        QDir().mkpath(fx.driveC() + sub);
    ui::FolderList list;
    QVERIFY(list.setPath(fx.driveC() + "/WIEDO/Testy"));
    QCOMPARE(rowTexts(list), QStringList({"c:\\", "  WIEDO", "    Testy", "      A", "      b", "      c"}));
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(list.folderAt(0), QDir::cleanPath(fx.driveC()));
    QCOMPARE(list.folderAt(1), fx.driveC() + "/WIEDO");
    QCOMPARE(list.folderAt(4), fx.driveC() + "/WIEDO/Testy/b");
    QCOMPARE(list.drive(), QStringLiteral("c:"));

    // A folder made while the list is shown appears when the list reads the folder again.
    QDir().mkpath(fx.driveC() + "/WIEDO/Testy/d");
    list.refresh();
    QCOMPARE(list.item(list.count() - 1)->text(), QStringLiteral("      d"));

    // On the host's root drive the rows start at "/".
    QVERIFY(list.setPath(fx.programFolder()));
    const QStringList rows = rowTexts(list);
    QCOMPARE(rows.first(), QStringLiteral("/"));
    QCOMPARE(rows.last().trimmed(), QStringLiteral("program"));
    QCOMPARE(list.folderAt(list.currentRow()), fx.programFolder());
    QCOMPARE(list.drive(), QStringLiteral("/"));
}

void tst_FolderLists::setPath_data() {
    QTest::addColumn<QString>("typed");     // "@C" stands for drive C:'s folder, "@P" for the program folder
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("expected");  // the path afterwards
    QTest::newRow("native_folder") << "@C/WIEDO" << true << "@C/WIEDO";
    QTest::newRow("trailing_separator") << "@C/WIEDO/" << true << "@C/WIEDO";
    QTest::newRow("windows_form_any_case") << "c:\\wiedo\\TESTY" << true << "@C/WIEDO/Testy";
    QTest::newRow("drive_root_windows_form") << "C:\\" << true << "@C";
    QTest::newRow("missing_folder") << "@C/WIEDO/none" << false << "@P";
    QTest::newRow("a_file") << "@C/WIEDO/plik.txt" << false << "@P";
    QTest::newRow("drive_not_ready") << "a:\\" << false << "@P";
    QTest::newRow("empty") << "" << false << "@P";
}

void tst_FolderLists::setPath() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, expected);
    ProgramFixture fx;
    QDir().mkpath(fx.driveC() + "/WIEDO/Testy");
    fx.write(fx.driveC() + "/WIEDO/plik.txt", "x");
    const auto expand = [&](QString text) {
        return text.replace("@C", QDir::cleanPath(fx.driveC())).replace("@P", fx.programFolder());
    };
    ui::FolderList list;
    QVERIFY(list.setPath(fx.programFolder()));
    QSignalSpy changed(&list, &ui::FolderList::pathChanged);
    QCOMPARE(list.setPath(expand(typed)), accepted);
    QCOMPARE(list.path(), expand(expected));
    QCOMPARE(changed.count(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(changed.at(0).at(0).toString(), expand(expected));
        // The path round-trips through the platform's path resolution unchanged.
        QCOMPARE(QDir::cleanPath(platform::resolvePath(list.path()).value_or("none")), list.path());
    }
}

void tst_FolderLists::doubleClickAndEnterOpenFolders() {
    ProgramFixture fx;
    QDir().mkpath(fx.driveC() + "/WIEDO/Testy");
    QDir().mkpath(fx.driveC() + "/WIEDO/Zestawy");
    ui::FolderList list;
    list.resize(300, 300);
    list.show();
    QVERIFY(list.setPath(fx.driveC() + "/WIEDO"));
    QSignalSpy changed(&list, &ui::FolderList::pathChanged);

    // A single click only marks a row.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(3)).center());
    QCOMPARE(list.path(), fx.driveC() + "/WIEDO");
    QCOMPARE(changed.count(), 0);

    doubleClickRow(list, 3);  // "Zestawy"
    QCOMPARE(list.path(), fx.driveC() + "/WIEDO/Zestawy");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(rowTexts(list), QStringList({"c:\\", "  WIEDO", "    Zestawy"}));

    doubleClickRow(list, 0);  // back up to the drive's root
    QCOMPARE(list.path(), QDir::cleanPath(fx.driveC()));
    QCOMPARE(changed.count(), 2);

    list.setCurrentRow(1);  // "WIEDO"
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.path(), fx.driveC() + "/WIEDO");
    QCOMPARE(changed.count(), 3);
}

void tst_FolderLists::showDriveRemembersFolderPerDrive() {
    ProgramFixture fx;
    QDir().mkpath(fx.driveC() + "/WIEDO");
    ui::FolderList list;
    QVERIFY(list.setPath(fx.programFolder()));
    QVERIFY(list.showDrive("c:"));
    QCOMPARE(list.path(), QDir::cleanPath(fx.driveC()));  // first visit: the root
    QVERIFY(list.setPath(fx.driveC() + "/WIEDO"));
    QVERIFY(list.showDrive("/"));
    QCOMPARE(list.path(), fx.programFolder());            // the folder last shown there
    QVERIFY(list.showDrive("C:"));
    QCOMPARE(list.path(), fx.driveC() + "/WIEDO");

    // A drive that cannot be read leaves the folder shown alone.
    QSignalSpy changed(&list, &ui::FolderList::pathChanged);
    QVERIFY(!list.showDrive("a:"));
    QCOMPARE(list.path(), fx.driveC() + "/WIEDO");
    QCOMPARE(changed.count(), 0);

    // A remembered folder deleted meanwhile: the drive's root instead.
    QVERIFY(list.showDrive("/"));
    QVERIFY(QDir(fx.driveC() + "/WIEDO").removeRecursively());
    QVERIFY(list.showDrive("c:"));
    QCOMPARE(list.path(), QDir::cleanPath(fx.driveC()));
}

void tst_FolderLists::driveListChoosing() {
    ProgramFixture fx;
    ui::DriveList drives;
    QCOMPARE(drives.drives(), QStringList({"c:", "/"}));
    QCOMPARE(drives.drive(), QStringLiteral("c:"));
    QSignalSpy changed(&drives, &ui::DriveList::driveChanged);

    // Choosing by program: by name, by a native folder, by a Windows path; no signal.
    QVERIFY(drives.setDrive(fx.programFolder()));
    QCOMPARE(drives.drive(), QStringLiteral("/"));
    QVERIFY(drives.setDrive(fx.driveC() + "/x"));
    QCOMPARE(drives.drive(), QStringLiteral("c:"));
    QVERIFY(drives.setDrive("/"));
    QVERIFY(drives.setDrive("C:\\WIEDO"));
    QCOMPARE(drives.drive(), QStringLiteral("c:"));
    QVERIFY(!drives.setDrive("a:"));
    QCOMPARE(drives.drive(), QStringLiteral("c:"));
    QCOMPARE(changed.count(), 0);

    // Choosing by the user signals the new drive.
    QTest::keyClick(&drives, Qt::Key_Down);
    QCOMPARE(drives.drive(), QStringLiteral("/"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("/"));

    // A window may list a drive that is not ready; the choice survives the new list.
    drives.setDrives({"A:", "c", "/"});
    QCOMPARE(drives.drives(), QStringList({"a:", "c:", "/"}));
    QCOMPARE(drives.drive(), QStringLiteral("/"));
    QVERIFY(drives.setDrive("a:"));
    QCOMPARE(changed.count(), 1);
}

QTEST_MAIN(tst_FolderLists)
#include "tst_folder_lists.moc"
