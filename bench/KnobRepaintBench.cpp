// The repaint of a 400 x 400 knob: its time, and the heap allocations and bytes each paint
// makes, counted by this binary's own malloc.
#include "instruments/controls/iKnob.h"
#include "platform/PainterCanvas.h"

#include <QApplication>
#include <QImage>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<long long> allocations{0};
std::atomic<long long> allocatedBytes{0};

void Count(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    allocatedBytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
}

} // namespace

// Every allocation of the process passes here: operator new, Qt's containers and the pixels
// of its images alike.
extern "C" {
void* malloc(std::size_t size) {
    Count(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count(count * size);
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
    Count(size);
    return __libc_realloc(pointer, size);
}
void free(void* pointer) {
    __libc_free(pointer);
}
}

namespace {

// The paint a screen asks for: the knob paints into its kept frame and copies it to one kept
// picture, as to the window's backing store, so that only the control's own paint is counted,
// not the window system's routing of the paint event.
class TMeasuredKnob : public TiKnob {
public:
    using TiComponent::PaintBuffered;
};

void KnobRepaint(benchmark::State& state) {
    TMeasuredKnob knob;
    knob.resize(400, 400);
    QImage picture(400, 400, QImage::Format_RGB32);
    TPainterCanvas screen(picture);
    knob.PaintBuffered(screen); // the cached background and the kept frame are made here
    long long calls = 0;
    long long bytes = 0;
    for (auto _ : state) {
        const long long callsBefore = allocations.load();
        const long long bytesBefore = allocatedBytes.load();
        knob.PaintBuffered(screen);
        calls += allocations.load() - callsBefore;
        bytes += allocatedBytes.load() - bytesBefore;
    }
    const double paints = double(state.iterations());
    state.counters["allocations/paint"] = double(calls) / paints;
    state.counters["bytes/paint"] = double(bytes) / paints;
}

BENCHMARK(KnobRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
