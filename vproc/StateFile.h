#pragma once

#include "vproc/ProcessorState.h"

#include <string>

// A virtual processor's state on disk, as text so it can be read and
// edited by hand. One item per line, bytes in hexadecimal:
//
//   orvan-vproc-state 1
//   device-id 1
//   device-type 6
//   backlight 1
//   power-on 1
//   generator 0002140058020000            8 bytes
//   info 5649525455414C...                255 bytes
//   lock 0 000000000000202020202020       12 bytes, numbers 0..31
//   name 5 414243000000000000000000       12 bytes, programs 0..30
//   image 0 ...                           1472 bytes, programs 0..30
//
// Items missing from a file keep their factory values; an unknown item, a
// number out of range or a wrong byte count makes the whole file invalid.
class CStateFile
{
public:
    // False with a message in strError when the file cannot be read or is
    // not a state file; the state is then left as it was.
    static bool Load(const std::string& strPath, CProcessorState& state, std::string& strError);
    // Writes the file whole or not at all (AtomicFile), so a crash or a full
    // disk never leaves half a state behind; false with the reason in
    // strError.
    static bool Save(const std::string& strPath, const CProcessorState& state, std::string& strError);
};
