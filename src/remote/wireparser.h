// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>

#include <simdjson.h>

#include <memory>

namespace Mervak::Wire {

/*!
    The JSON parser of the current thread, lent for one document. Parsers keep their buffers
    between documents, which makes the next parse cheap; one that had to grow for a very
    large document gives its memory back when it is returned. A second lease on the same
    thread while the first is alive gets a parser of its own.
*/
class ParserLease
{
public:
    ParserLease();
    ~ParserLease();
    ParserLease(const ParserLease &) = delete;
    ParserLease &operator=(const ParserLease &) = delete;

    // Parses a received frame in place when it has the parser's padding after it (as
    // readFrame leaves it), else a copy. The document lives until the next parse.
    simdjson::error_code parse(const QByteArray &payload, simdjson::dom::element *doc);

private:
    simdjson::dom::parser *m_parser = nullptr;
    std::unique_ptr<simdjson::dom::parser> m_own;
};

} // namespace Mervak::Wire
