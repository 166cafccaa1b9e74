#pragma once
#include <ostream>
#include <vector>

#include "history/Record.h"

namespace tc::history {

// The history as CSV, one record a line in the order they started:
//   record,start,end,kind,outcome,purpose,text
//   over,2026-12-06T10:00:01.000Z,2026-12-06T10:00:06.050Z,rf,counted,,
//   ident,...,cw,rendered,courtesy,"K"
//   keying,...,,,,
// kind: rf or internet for an over, cw or audio for an ident; outcome:
// counted or kerchunk, rendered or failed; purpose: courtesy or test; text:
// the CW text or the audio file, quoted.
void writeCsv(std::ostream& out, std::vector<Record> records);

}  // namespace tc::history
