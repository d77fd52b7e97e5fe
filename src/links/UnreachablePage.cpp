// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/UnreachablePage.h"

namespace movrand::links {

namespace {

std::string EscapedHtml(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string UnreachablePage(const std::string& address) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>The website cannot be "
           "reached</title></head><body style=\"font-family: sans-serif; margin: 2em;\">"
           "<h2>The website cannot be reached</h2><p>Movrand cannot reach the address</p>"
           // A long address wraps within the page rather than running off its side.
           "<p style=\"overflow-wrap: anywhere; word-break: break-all;\"><b>" +
           EscapedHtml(address) +
           "</b></p><p>The website may be down, this computer may be offline, or the website may "
           "have moved. If you know its new address, press \"Update URL\" on the \"Find Add-Ons\" "
           "page and enter it: that sets a new one.</p></body></html>";
}

}  // namespace movrand::links
