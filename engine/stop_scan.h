// Program-wide: set when the user confirms Stop during a scan, cleared when a
// scan starts. The registry walk reads it and never writes it.
#pragma once

extern bool StopScan;
