#pragma once

// Start-up measurement: notes when a window has been painted and handed to the display for the
// first time, prints that moment (CLOCK_MONOTONIC, nanoseconds) on standard output, and calls
// Finish so that the program ends as it normally would.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

class TFirstPaint : public QObject
{
public:
    explicit TFirstPaint(std::function<void()> Finish) : FFinish(std::move(Finish))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (!FSeen && Event->type() == QEvent::Paint && Watched->isWidgetType())
        {
            FSeen = true;
            // Painting and the flush to the display finish before the loop runs timers again.
            QTimer::singleShot(0, this,
                               [this]
                               {
                                   timespec Now{};
                                   clock_gettime(CLOCK_MONOTONIC, &Now);
                                   std::printf("%lld\n",
                                               static_cast<long long>(Now.tv_sec) * 1000000000LL +
                                                   Now.tv_nsec);
                                   std::fflush(stdout);
                                   // For finding where memory goes: the process's memory map at
                                   // this moment.
                                   if (qEnvironmentVariableIsSet("FIRST_PAINT_SMAPS"))
                                       if (std::FILE *Map = std::fopen("/proc/self/smaps", "r"))
                                       {
                                           char Line[512];
                                           while (std::fgets(Line, sizeof Line, Map) != nullptr)
                                               std::fputs(Line, stderr);
                                           std::fclose(Map);
                                       }
                                   FFinish();
                               });
        }
        return false;
    }

private:
    std::function<void()> FFinish;
    bool FSeen = false;
};
