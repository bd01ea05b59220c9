#include "hostsim/csv_reader.h"

#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"

namespace {

// The whole file in one allocation with a terminating zero, or null.
char *ReadWholeFile(const char *path, size_t *size) {
  FILE *file = fopen(path, "rb");
  if (file == nullptr) return nullptr;
  size_t capacity = 4096;
  size_t used = 0;
  char *data = static_cast<char *>(malloc(capacity + 1));
  while (data != nullptr) {
    const size_t got = fread(data + used, 1, capacity - used, file);
    used += got;
    if (used < capacity) break;
    capacity *= 2;
    char *grown = static_cast<char *>(realloc(data, capacity + 1));
    if (grown == nullptr) free(data);
    data = grown;
  }
  fclose(file);
  if (data != nullptr) {
    data[used] = '\0';
    *size = used;
  }
  return data;
}

// Splits one line (without its end of line) into fields. Returns the
// number of fields, or CSV_MAX_FIELDS + 1 when there are more.
unsigned SplitLine(const char *line, unsigned length, unsigned lineNumber, CsvField *fields) {
  unsigned count = 0;
  unsigned start = 0;
  for (unsigned i = 0; i <= length; ++i) {
    if (i == length || line[i] == ',') {
      if (count == CSV_MAX_FIELDS) return CSV_MAX_FIELDS + 1;
      fields[count++] = CsvField{line + start, i - start, lineNumber, start + 1};
      start = i + 1;
    }
  }
  return count;
}

unsigned CountFields(const char *header) {
  unsigned count = 1;
  for (const char *c = header; *c != '\0'; ++c) count += *c == ',';
  return count;
}

}  // namespace

void SetCsvError(CsvError *error, const char *path, unsigned line, unsigned column,
                 const char *what) {
  FormatText(error->message, sizeof error->message, "%s:%u:%u: %s", path, line, column, what);
}

bool ReadCsvFile(const char *path, const char *header, CsvRowHandler onRow, void *context,
                 CsvError *error) {
  size_t size = 0;
  char *data = ReadWholeFile(path, &size);
  if (data == nullptr) {
    FormatText(error->message, sizeof error->message,
               "%s: cannot be read (expected a CSV file with the header %s)", path, header);
    return false;
  }
  const unsigned expected = CountFields(header);
  bool sawHeader = false;
  bool ok = true;
  unsigned lineNumber = 0;
  size_t at = 0;
  while (ok && at < size) {
    ++lineNumber;
    size_t end = at;
    while (end < size && data[end] != '\n') ++end;
    size_t stop = end;
    if (stop > at && data[stop - 1] == '\r') --stop;  // CRLF files
    const char *line = data + at;
    const unsigned length = static_cast<unsigned>(stop - at);
    at = end + 1;

    if (length == 0 || line[0] == '#') continue;
    if (!sawHeader) {
      if (strlen(header) != length || strncmp(line, header, length) != 0) {
        char what[256];
        FormatText(what, sizeof what, "expected the header %s", header);
        SetCsvError(error, path, lineNumber, 1, what);
        ok = false;
      }
      sawHeader = true;
      continue;
    }
    CsvField fields[CSV_MAX_FIELDS + 1];
    const unsigned count = SplitLine(line, length, lineNumber, fields);
    if (count != expected) {
      char what[128];
      const unsigned column = count > expected ? fields[expected].column : length + 1;
      FormatText(what, sizeof what, "expected %u fields, found %s%u", expected,
                 count > CSV_MAX_FIELDS ? "more than " : "",
                 count > CSV_MAX_FIELDS ? CSV_MAX_FIELDS : count);
      SetCsvError(error, path, lineNumber, column, what);
      ok = false;
      continue;
    }
    ok = onRow(context, fields, error);
  }
  if (ok && !sawHeader) {
    char what[256];
    FormatText(what, sizeof what, "expected the header %s, found an empty file", header);
    SetCsvError(error, path, lineNumber == 0 ? 1 : lineNumber, 1, what);
    ok = false;
  }
  free(data);
  return ok;
}

bool ParseCsvNumber(const char *path, const CsvField &field, double *value, CsvError *error) {
  if (ParseNumberText(field.text, field.length, value)) return true;
  char what[160];
  FormatText(what, sizeof what,
             "expected a number (decimal, hex-float, inf, -inf or nan), found "
             "\"%.*s\"",
             static_cast<int>(field.length > 60 ? 60 : field.length), field.text);
  SetCsvError(error, path, field.line, field.column, what);
  return false;
}
