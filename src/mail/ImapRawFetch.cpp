#include "ImapRawFetch.h"

#include <QStringList>

#include <vmime/net/imap/IMAPCommand.hpp>
#include <vmime/net/imap/IMAPConnection.hpp>
#include <vmime/net/imap/IMAPParser.hpp>
#include <vmime/net/imap/IMAPUtils.hpp>

#include <algorithm>
#include <functional>
#include <strings.h>

using vmime::net::imap::IMAPParser;

namespace {

bool same(const IMAPParser::xstring *value, const char *text)
{
    return value && !value->isNIL() && strcasecmp(value->value().c_str(), text) == 0;
}

QByteArray joined(const QByteArray &prefix, int number)
{
    const QByteArray n = QByteArray::number(number);
    return prefix.isEmpty() ? n : prefix + '.' + n;
}

// Numbers the parts as IMAP does: a multipart's children are <path>.1, .2, ...; a single part
// that is the whole body of a message (the top one or an attached one at p) is <p>.1.
bool findText(const IMAPParser::xbody *body, const QByteArray &path, bool messageBody,
              MessageOutline &outline)
{
    if (!body)
        return false;
    if (const auto *multipart = body->body_type_mpart()) {
        int number = 0;
        for (const IMAPParser::xbody *child : multipart->list())
            if (findText(child, joined(path, ++number), false, outline))
                return true;
        return false;
    }
    const IMAPParser::body_type_1part *part = body->body_type_1part();
    if (!part)
        return false;
    const QByteArray section = messageBody ? joined(path, 1) : path;
    if (const auto *message = part->body_type_msg())
        return findText(message->body(), section, true, outline);
    const auto *text = part->body_type_text();
    if (!text || !same(text->media_text()->media_subtype(), "plain"))
        return false;
    const auto *extension = part->body_ext_1part();
    const auto *disposition = extension ? extension->body_fld_dsp() : nullptr;
    if (disposition && same(disposition->str(), "attachment"))
        return false;
    outline.hasText = true;
    if (path.isEmpty())
        return true;
    outline.textSection = section;
    outline.textHeaderSection =
        messageBody ? QByteArray(path + ".HEADER") : QByteArray(section + ".MIME");
    return true;
}

// Sends one command and reads every answer up to its completion, which has to be OK.
std::unique_ptr<IMAPParser::response> run(vmime::net::imap::IMAPConnection &connection,
                                          const std::string &command)
{
    connection.sendCommand(vmime::net::imap::IMAPCommand::createCommand(command));
    std::unique_ptr<IMAPParser::response> response(connection.readResponse());
    const auto *done = response ? response->response_done() : nullptr;
    const auto *tagged = done ? done->response_tagged() : nullptr;
    // BYE instead of an answer: the server is going away, whatever the command.
    if (!tagged)
        throw vmime::exceptions::connection_error(command);
    if (tagged->resp_cond_state()->status() != IMAPParser::resp_cond_state::OK)
        throw vmime::exceptions::command_error(command, response->getErrorLog());
    return response;
}

void eachFetch(const IMAPParser::response &response,
               const std::function<void(const IMAPParser::msg_att &)> &take)
{
    for (const auto *item : response.continue_req_or_response_data()) {
        const auto *data = item->response_data();
        const auto *message = data ? data->message_data() : nullptr;
        if (message && message->type() == IMAPParser::message_data::FETCH && message->msg_att())
            take(*message->msg_att());
    }
}

} // namespace

ImapRawFetch::ImapRawFetch(std::shared_ptr<vmime::net::imap::IMAPConnection> connection)
    : m_connection(std::move(connection))
{
}

quint32 ImapRawFetch::examine(const QString &folder)
{
    const char separator = m_connection->hierarchySeparator();
    vmime::net::folder::path path;
    for (const QString &component : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        path /=
            vmime::net::folder::path::component(component.toStdString(), vmime::charsets::UTF_8);
    const auto response =
        run(*m_connection,
            "EXAMINE " + vmime::net::imap::IMAPUtils::quoteString(
                             vmime::net::imap::IMAPUtils::pathToString(separator, path)));
    for (const auto *item : response->continue_req_or_response_data()) {
        const auto *data = item->response_data();
        const auto *state = data ? data->resp_cond_state() : nullptr;
        const auto *code = state ? state->resp_text()->resp_text_code() : nullptr;
        if (code && code->type() == IMAPParser::resp_text_code::UIDVALIDITY)
            return quint32(code->nz_number()->value());
    }
    return 0;
}

std::vector<MessageOutline> ImapRawFetch::outlinesAbove(quint32 lastUid)
{
    const auto response = run(*m_connection, "UID FETCH " + std::to_string(lastUid + 1) +
                                                 ":* (UID RFC822.SIZE BODYSTRUCTURE)");
    std::vector<MessageOutline> outlines;
    eachFetch(*response, [&](const IMAPParser::msg_att &attributes) {
        MessageOutline outline;
        const IMAPParser::xbody *structure = nullptr;
        for (const auto *item : attributes.items()) {
            if (item->type() == IMAPParser::msg_att_item::UID)
                outline.uid = quint32(item->unique_id()->value());
            else if (item->type() == IMAPParser::msg_att_item::RFC822_SIZE)
                outline.size = item->number()->value();
            else if (item->type() == IMAPParser::msg_att_item::BODY_STRUCTURE)
                structure = item->body();
        }
        if (outline.uid <= lastUid)
            return;
        findText(structure, {}, true, outline);
        outlines.push_back(outline);
    });
    std::sort(outlines.begin(), outlines.end(),
              [](const MessageOutline &a, const MessageOutline &b) { return a.uid < b.uid; });
    return outlines;
}

std::vector<quint32> ImapRawFetch::fromSenderAbove(quint32 lastUid, const QString &sender)
{
    const auto response = run(
        *m_connection, "UID SEARCH CHARSET UTF-8 UID " + std::to_string(lastUid + 1) + ":* FROM " +
                           vmime::net::imap::IMAPUtils::quoteString(sender.toStdString()));
    std::vector<quint32> uids;
    for (const auto *item : response->continue_req_or_response_data()) {
        const auto *data = item->response_data();
        const auto *mailbox = data ? data->mailbox_data() : nullptr;
        if (mailbox && mailbox->type() == IMAPParser::mailbox_data::SEARCH)
            for (const auto *number : mailbox->search_nz_number_list())
                if (number->value() > lastUid)
                    uids.push_back(quint32(number->value()));
    }
    std::sort(uids.begin(), uids.end());
    return uids;
}

QByteArray ImapRawFetch::section(quint32 uid, const QByteArray &section)
{
    const auto response = run(*m_connection, "UID FETCH " + std::to_string(uid) + " (BODY.PEEK[" +
                                                 section.toStdString() + "])");
    QByteArray bytes;
    eachFetch(*response, [&](const IMAPParser::msg_att &attributes) {
        for (const auto *item : attributes.items())
            if (item->type() == IMAPParser::msg_att_item::BODY_SECTION && item->nstring() &&
                !item->nstring()->isNIL())
                bytes = QByteArray::fromStdString(item->nstring()->value());
    });
    return bytes;
}
