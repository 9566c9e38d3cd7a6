#pragma once

// One copy per bound code: a second copy bound to a code of a running one would steal its input
// from it by turns (each taking its hooks back puts it first in the chain) and leave it scrolling
// with no release to see. Each code is claimed by a named object in the session's namespace, which
// the system frees with the process however it ends.

// Claims every code the binds cover (both keys of a general code), or raises the message that
// names a code another copy has (the failure report gives back what was claimed).
void claimCodes();

// Gives the claims back; for the failure report, so that a copy waiting for Enter holds none.
void releaseClaims();
