#pragma once
// How a gauge operation ended. The pages, the operation runner and korvel-cli's exit status
// read this, never the words of a message. An operation notes the first failure it meets;
// with none noted it ended Done, or Cancelled when the person cancelled it.

namespace korvel {

enum class Outcome {
    Done,          // everything asked was done
    Cancelled,     // the person cancelled it
    LinkLost,      // the gauge could not be reached, did not answer or was lost
    GaugeRefused,  // the gauge refused, or answered what cannot be taken
    PcFileError,   // a PC file could not be read or written, or its name is not allowed
    TimedOut,      // the runner ended it: it outlived its bound
    Declined,      // the person answered No (a file kept), so not everything was done
};

}  // namespace korvel
