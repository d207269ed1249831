// The installable services (dialogs, clipboard, printer, settings): each has a Qt-backed
// default, and a test installs its own for as long as the guard lives, so that tests run in
// the offscreen platform without a window ever blocking them.
#pragma once

#include <utility>

// Interface must offer `static Interface& Default()`.
template <typename Interface> class ScopedService {
public:
    explicit ScopedService(Interface& replacement)
        : previous_(std::exchange(Slot(), &replacement)) {}
    ~ScopedService() { Slot() = previous_; }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

    static Interface& Current() { return Slot() ? *Slot() : Interface::Default(); }

private:
    static Interface*& Slot() {
        static Interface* installed = nullptr;
        return installed;
    }

    Interface* previous_;
};
