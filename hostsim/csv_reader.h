// A strict reader of the stand-in host's CSV files: an exact header line,
// then rows of exactly as many comma-separated fields. Blank lines and
// lines starting with '#' are skipped. No quoting: names hold no commas.
//
// Every complaint names the file, the line and the column (both from 1)
// and says what was expected.
#pragma once

#include <stddef.h>

struct CsvField {
  const char *text;  // not terminated; see length
  unsigned length;
  unsigned line;
  unsigned column;
};

struct CsvError {
  char message[512];
};

constexpr unsigned CSV_MAX_FIELDS = 16;

// Called once per data row with exactly as many fields as the header has.
// Returns false to stop, after writing its own complaint into the error.
typedef bool (*CsvRowHandler)(void *context, const CsvField *fields, CsvError *error);

bool ReadCsvFile(const char *path, const char *header, CsvRowHandler onRow, void *context,
                 CsvError *error);

// Writes "PATH:LINE:COLUMN: WHAT" into the error.
void SetCsvError(CsvError *error, const char *path, unsigned line, unsigned column,
                 const char *what);

// Parses a whole field as a double: decimal, C hex-float (0x1.8p+3), inf,
// -inf, nan or -nan. Hex floats must be exact doubles. On failure writes a
// complaint naming the field's place.
bool ParseCsvNumber(const char *path, const CsvField &field, double *value, CsvError *error);
