// Starts the program as `Plimo` does and, as soon as the first verb window
// has been painted, prints "painted <resident memory in kB>" and ends without
// saving anything. The start-up benchmark times it from process start.
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "Application.h"
#include "PageView.h"

namespace {

long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class FirstPaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen && event->type() == QEvent::Paint && watched->parent() != nullptr &&
            qobject_cast<PageView*>(watched->parent()) != nullptr) {
            seen = true;
            // Report once this paint is over.
            QTimer::singleShot(0, [] {
                std::printf("painted %ld\n", ResidentKilobytes());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }
    bool seen = false;
};

}  // namespace

int main(int argc, char** argv) {
    Application application(argc, argv);
    FirstPaintWatcher watcher;
    application.installEventFilter(&watcher);
    if (!application.InitInstance()) return 1;
    QTimer::singleShot(10000, [] { _exit(2); });
    return application.exec();
}
