// The yardstick for start-up: a bare frameless Qt window that ends after its first paint.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
    }

private:
    bool Painted = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::gray);
        // The moment of the first paint, for the start-up benchmark: nanoseconds since the epoch,
        // on the clock that `date +%s%N` reads.
        if (!Painted) {
            Painted = true;
            std::printf("first paint %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                                           .count()));
            std::fflush(stdout);
        }
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BareWindow window;
    window.setGeometry(200, 100, 350, 534);
    window.show();
    return application.exec();
}
