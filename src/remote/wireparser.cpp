// SPDX-License-Identifier: LicenseRef-Mervak
#include "wireparser.h"

#include "wireframe.h"

namespace Mervak::Wire {

static_assert(PayloadPadding >= qsizetype(simdjson::SIMDJSON_PADDING));

namespace {

constexpr std::size_t kKeepParserCapacity = 32u * 1024u * 1024u;

struct ThreadParser
{
    simdjson::dom::parser parser;
    bool busy = false;
};

ThreadParser &threadParser()
{
    thread_local ThreadParser p;
    return p;
}

} // namespace

ParserLease::ParserLease()
{
    ThreadParser &tp = threadParser();
    if (tp.busy) {
        m_own = std::make_unique<simdjson::dom::parser>();
        m_parser = m_own.get();
    } else {
        tp.busy = true;
        m_parser = &tp.parser;
    }
}

ParserLease::~ParserLease()
{
    if (m_own)
        return;
    ThreadParser &tp = threadParser();
    if (tp.parser.capacity() > kKeepParserCapacity)
        tp.parser = simdjson::dom::parser();
    tp.busy = false;
}

simdjson::error_code ParserLease::parse(const QByteArray &payload, simdjson::dom::element *doc)
{
    const auto *data = reinterpret_cast<const uint8_t *>(payload.constData());
    const auto size = std::size_t(payload.size());
    const bool padded = payload.capacity() - payload.size()
                        >= qsizetype(simdjson::SIMDJSON_PADDING);
    return m_parser->parse(data, size, !padded).get(*doc);
}

} // namespace Mervak::Wire
