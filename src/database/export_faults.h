#pragma once
// A fault seam for tests: makes ExportCopy's writes fail after a number of bytes,
// as a full disk would, so that every failure path can be provoked as root too.

namespace vesko {

// Fail every write once `bytes` bytes of one file have been written; -1 turns it off.
void SetExportFaultAfter(long bytes);

}  // namespace vesko
