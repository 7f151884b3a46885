// Start-up timing for the benchmark: with QUILLOTAP_BENCH_STARTUP=1 in the
// environment, the first paint of the window prints "shown <ns>" (the
// wall-clock time in nanoseconds since the epoch) on standard output.
#pragma once

class QWidget;

namespace quillotap {

// Does nothing unless the environment asks for it.
void ReportWhenShown(QWidget* window);

} // namespace quillotap
