// KIVO Log Viewer
// The viewer's prints to a PDF file against the ways a write goes wrong: a full disk (a file
// size limit), a read-only file or folder, a folder where the file should be, a path longer
// than the system takes; and a name with spaces and letters outside ASCII, which must simply
// work. A failed print tells the user which file, leaves nothing behind and keeps the old file.
#include "pdfprobe.h"
#include "testlog.h"
#include "ui/print/printcommands.h"
#include "viewerdriver.h"
#include "writefault.h"

#include "print/printlog.h"

#include <QtTest>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace kivo;
using namespace kivo::test;

namespace {

enum class Command { PrintLog, PrintScreen, PrintHeader };
constexpr rlim_t SizeLimit = 4096; // less than any of the documents below

// From here on the process writes under the file permissions as any user does, even when the
// tests run as root: the capabilities that override them are given up for good, the permitted
// ones too, since root's access() checks take those (the thread that prints is this one;
// threads started later inherit it).
void giveUpFileOverrides()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    QVERIFY(::syscall(SYS_capget, &header, data) == 0);
    const quint32 overrides =
        (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
    data[0].effective &= ~overrides;
    data[0].permitted &= ~overrides;
    data[0].inheritable &= ~overrides;
    QVERIFY(::syscall(SYS_capset, &header, data) == 0);
}

// While it lives, no file of the process grows past SizeLimit, as on a full disk.
class FileSizeLimited {
public:
    FileSizeLimited()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = SizeLimit;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimited() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

class TestPrintFaults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { giveUpFileOverrides(); }
    void faults_data();
    void faults();
};

void TestPrintFaults::faults_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<WriteFault>("fault");
    const QList<QPair<const char *, Command>> commands = {
        {"print log", Command::PrintLog},
        {"print screen", Command::PrintScreen},
        {"print header", Command::PrintHeader},
    };
    for (const auto &[commandRow, command] : commands)
        for (const auto &[faultRow, fault] : writeFaults())
            QTest::addRow("%s, %s", commandRow, faultRow) << command << fault;
}

void TestPrintFaults::faults()
{
    QFETCH(Command, command);
    QFETCH(WriteFault, fault);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("home/Documents"));
    qputenv("HOME", dir.filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    DataFileContent content(720, 2001, 1000, 5);
    content.colour = [](qint64 k, int i) {
        return Rgb{uchar(k * 7 + i * 13), uchar(k * i), uchar(i * 29 + k)};
    };
    const QString log = writeLog(
        dir.path(), "hole", validHeader(720, 12, "StartDepth=1\nEndDepth=11\nRunNo1=1\n"), content);

    const QString folder = dir.filePath("out");
    const QString target = prepareWriteFault(folder, "pages.pdf", fault);
    QVERIFY(!target.isEmpty());
    const QMap<QString, QByteArray> before = folderContents(folder);

    Viewer viewer;
    viewer.form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer.form1.get()));
    QPrinter &printer = viewer.form1->printCommands().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(target);
    QString message;
    ViewerDriver driver(*viewer.form1);
    driver.then([&] {
        std::optional<FileSizeLimited> limited;
        if (fault == WriteFault::DiskFull)
            limited.emplace();
        answerBoxWhenShown(&message);
        if (command == Command::PrintLog) {
            PrintLogRequest request;
            request.fromDepth = 1;
            request.toDepth = 11;
            viewer.form1->printCommands().printLog(request);
        } else if (command == Command::PrintScreen) {
            viewer.form1->Print2Click();
        } else {
            viewer.form1->PrintHeader1Click();
        }
    });
    driver.openAndRun(log);
    restoreWriteFaultFolder(folder);

    QVERIFY2(message.contains(target), qPrintable(message));
    if (fault == WriteFault::AwkwardName) {
        QVERIFY2(message.startsWith("The page") && message.contains("written to the file"),
                 qPrintable(message));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(target).fileName()});
        QVERIFY(pdfInfo(target).pages > 0);
        // Large enough that the size limit of a full disk stops it part way.
        QVERIFY(QFileInfo(target).size() > qint64(SizeLimit));
        return;
    }
    QVERIFY2(!message.contains("written to the file"), qPrintable(message));
    if (fault == WriteFault::DiskFull)
        QVERIFY2(message.contains("the disk is full"), qPrintable(message));
    QCOMPARE(folderContents(folder), before);
}

QTEST_MAIN(TestPrintFaults)
#include "tst_printfaults.moc"
