// The baseline for the start-up and idle figures: the smallest Qt program with
// one dialog on this machine. It prints when its dialog was painted, like the
// game's start-up trace, and then waits like a player would.
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>

class Dialog : public QDialog {
public:
    Dialog()
    {
        setWindowTitle(QStringLiteral("Baseline"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Baseline"), this));
    }

protected:
    bool event(QEvent* e) override
    {
        const bool result = QDialog::event(e);
        if (e->type() == QEvent::Paint && !painted) {
            painted = true;
            QMetaObject::invokeMethod(this, [] {
                std::fprintf(stderr, "trace dialog-painted %lld\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            }, Qt::QueuedConnection);
        }
        return result;
    }

private:
    bool painted = false;
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    Dialog dialog;
    dialog.show();
    return QApplication::exec();
}
