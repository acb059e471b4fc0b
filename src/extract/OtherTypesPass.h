#pragma once
#include "extract/ExtractPage.h"
#include "core/SearchSink.h"

// The pass for picture types besides JPEG, run only when the sink asks for
// some: every quoted link (double or single quotes) in a line that ends in
// the extension of a type switched on goes, made absolute, to the gate.
void LoopForOtherTypes(TExtractPage& page, TSearchSink& sink);
