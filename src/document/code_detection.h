// Which code a document file is in, decided when it opens.
#pragma once

#include "document_format.h"

#include <QByteArrayView>
#include <optional>

struct DetectedCode
{
    DocumentCode code = DocumentCode::Sjis;
    bool bom = false;              // the bytes start with the code's byte-order mark
    std::optional<bool> validUtf8; // for UTF-8, when the check already ran
    bool binary = false;           // InCodeCheck found binary data, which nothing converts
    friend bool operator==(const DetectedCode &, const DetectedCode &) = default;
};

// UTF-16 with a byte-order mark, UTF-8 (Jconvert::IsUtf8Document),
// ISO-2022-JP and EUC-JP as InCodeCheck finds them, else Shift_JIS. Text
// that may be EUC-JP or Shift_JIS is EUC-JP when `undecidedIsEuc`. Binary
// data and plain ASCII are Shift_JIS, which keeps every byte.
DetectedCode DetectCode(QByteArrayView bytes, bool undecidedIsEuc);

// `bytes` read in `code`, after the byte-order mark they start with, if any.
// For UTF-16 a mark decides the byte order; without one `code` does.
DetectedCode ReadAs(QByteArrayView bytes, DocumentCode code);
