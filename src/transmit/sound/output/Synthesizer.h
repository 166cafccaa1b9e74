#pragma once
#include <memory>

typedef struct _fluid_synth_t fluid_synth_t;

namespace tc::sound {

// FluidSynth keeps quiet: its log would otherwise land on the operator's
// terminal. Called before any other FluidSynth call.
void quietFluid();

// The General MIDI synthesizer with its soundfont. Loading the soundfont
// takes longer than an ident should wait, so it is loaded once per run, in
// the background as soon as a MIDI ident is in sight (prepareSynthesizer),
// else for the first MIDI file played; later files borrow the same
// synthesizer back. One is lent to one stream at a time (a second stream
// alive at the same moment gets a synthesizer of its own); a borrower whose
// synthesizer is still loading in the background waits for it. Throws the
// render failure when no soundfont can be loaded. Any thread.
std::shared_ptr<fluid_synth_t> borrowSynthesizer();

// Starts loading a synthesizer on a thread of its own, unless one is ready
// or already loading. Returns at once.
void prepareSynthesizer();

}  // namespace tc::sound
