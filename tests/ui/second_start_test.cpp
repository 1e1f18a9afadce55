#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QWidget>

#include "ui/single_instance.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

namespace {
// A first editor's server over a scratch runtime folder, recording what it
// hands to the window.
struct FirstEditor {
  korvana::test::TempDir dir;
  QWidget window;
  QStringList handed;
  SecondStartServer server{&window, [this](const QString& path) { handed << path; }};
  QString runtime = Q(dir.Path("runtime"));
  QString socket = runtime + "/korvana.socket";
  FirstEditor() {
    korvana::test::WriteBytes(dir.Path("fw.bin"), {1, 2, 3});
    QDir().mkdir(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!server.Listen(socket)) qFatal("cannot listen");
  }
  QString File() const { return Q(dir.Path("fw.bin")); }
};

// Sends bytes as a client that then hangs up.
void SendRaw(const QString& socket, const QByteArray& bytes) {
  QLocalSocket client;
  client.connectToServer(socket);
  if (!client.waitForConnected(1000)) qFatal("no server");
  client.write(bytes);
  client.waitForBytesWritten(1000);
  client.disconnectFromServer();
}
}  // namespace

class SecondStartTest : public QObject {
  Q_OBJECT

 private slots:
  void handsOverOnePathOfAnExistingFileAndIgnoresTheRest() {
    FirstEditor first;
    // A peer that connects and says nothing is dropped after the timeout.
    QLocalSocket silent;
    silent.connectToServer(first.socket);
    QVERIFY(silent.waitForConnected(1000));

    const QByteArray file = first.File().toUtf8();
    const QByteArray garbage[] = {
        "fw.bin\n",                              // relative
        "/no/such/file\n",                       //
        Q(first.dir.Path()).toUtf8() + "\n",     // a folder
        file,                                    // no line feed before the hang-up
        file + "\n" + file + "\n",               // two lines
        file + "\nmore",                         // something after the line
        QByteArray("\xff\xfe\n", 3),             // not UTF-8
        file + QByteArray("\0x\n", 3),           // a NUL inside
        QByteArray(SecondStartServer::kMaxRequestBytes + 10, 'a'),
    };
    for (const QByteArray& bytes : garbage) SendRaw(first.socket, bytes);
    // What comes after the garbage still gets through, in order.
    QVERIFY(HandToRunningEditor(first.socket, first.File(), 1000));
    QVERIFY(HandToRunningEditor(first.socket, QString(), 1000));
    QTRY_COMPARE(first.handed.size(), 2);
    QCOMPARE(first.handed, (QStringList{first.File(), QString()}));
    QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState,
                              SecondStartServer::kRequestTimeoutMs + 2000);
    QCOMPARE(first.handed.size(), 2);
  }

  // A file must not be opened under a command that is half done (its loop
  // lets events run) or while a tool window disables the main window.
  void waitsUntilTheEditorCanTakeTheFile() {
    FirstEditor first;
    QVERIFY(HandToRunningEditor(first.socket, first.File(), 1000));
    // A long command's loop: every event runs inside its steps.
    QElapsedTimer loop;
    loop.start();
    while (loop.elapsed() < 500) {
      LetEventsRun();
      QThread::msleep(5);
    }
    QVERIFY(first.handed.isEmpty());
    first.window.setEnabled(false);
    QTest::qWait(300);
    QVERIFY(first.handed.isEmpty());
    first.window.setEnabled(true);
    QTRY_COMPARE(first.handed, QStringList{first.File()});
  }

  // The real second start: it finds the lock taken and hands its file,
  // named relative to its own folder, to the editor that holds it.
  void aSecondStartHandsItsFileToTheFirst() {
    FirstEditor first;
    QLockFile lock(first.runtime + "/korvana.lock");
    QVERIFY(lock.tryLock(0));

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", first.runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(Q(first.dir.Path()));
    second.start(QStringLiteral(KORVANA_EDITOR), {QStringLiteral("fw.bin")});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(first.handed, QStringList{first.File()});
  }
};

static RegisterSuite<SecondStartTest> registerSecondStartTest;

}  // namespace korvana::ui::test

#include "second_start_test.moc"
