#pragma once

// Maps the Windows faces the page layout names onto the free faces drawn to match them
// (IPA fonts, Liberation Sans), for systems where the Windows faces are missing. The layout
// keeps its names; only the font lookup is redirected. Safe to call more than once.
void registerFontSubstitutes();
