#pragma once

// Importing a confirmation of 20 bookings with voyanta-cli's import-booking against running
// the booking extractor alone on it, in the same run; prints the ratio, or that it was
// skipped when the extractor is not installed.
void BenchBookingImport();
