#pragma once

// The main-window benchmarks keep one started window between runs on the same kit size; it has
// to go before the application object does.
void CloseKeptMainWindow();
