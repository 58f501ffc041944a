#pragma once

#include <QElapsedTimer>

#include <functional>

// The wall-clock time of one run of some work, in seconds.
inline double Seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}
