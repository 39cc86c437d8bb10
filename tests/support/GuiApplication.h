#pragma once

// Creates the process's QGuiApplication once (fonts and paint devices need one) and registers
// the font substitutes, as the programs' main() does; tests run with
// QT_QPA_PLATFORM=offscreen, so no display is used.
void ensureGuiApplication();
