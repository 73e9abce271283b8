#include "tools/OptionReader.h"

#include "tools/HelpRequest.h"
#include "tools/UsageError.h"
#include "tools/VersionRequest.h"

#include <cassert>

static bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

std::optional<std::string> OptionReader::NextOperand() {
    if (!m_onlyOperands && !AtEnd() && m_args[m_next] == "--") {
        m_onlyOperands = true;
        ++m_next;
    }
    if (AtEnd() || (!m_onlyOperands && IsOption(m_args[m_next]))) {
        return std::nullopt;
    }
    return m_args[m_next++];
}

std::string OptionReader::NextOption() {
    assert(!AtEnd() && !m_onlyOperands && IsOption(m_args[m_next]));
    const std::string& arg = m_args[m_next++];
    const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    m_option = arg.substr(0, equals);
    m_attached.reset();
    if (equals != std::string::npos) {
        m_attached = arg.substr(equals + 1);
    }
    return m_option;
}

std::string OptionReader::Value() {
    if (m_attached) {
        return *m_attached;
    }
    if (AtEnd()) {
        throw UsageError("option '" + m_option + "' needs a value");
    }
    return m_args[m_next++];
}

void OptionReader::NoValue() const {
    if (m_attached) {
        throw UsageError("option '" + m_option + "' takes no value");
    }
}

std::vector<std::string>
OptionReader::ReadAll(const std::function<void(const std::string&)>& applyOption) {
    std::vector<std::string> operands;
    while (!AtEnd()) {
        if (std::optional<std::string> operand = NextOperand()) {
            operands.push_back(std::move(*operand));
        } else if (!AtEnd()) {
            const std::string option = NextOption();
            if (option == "--help" || option == "-h") {
                NoValue();
                throw HelpRequest();
            }
            if (option == "--version") {
                NoValue();
                throw VersionRequest();
            }
            applyOption(option);
        }
    }
    return operands;
}

void OptionReader::ExpectOperands(const std::vector<std::string>& operands, std::size_t count,
                                  const std::string& what) {
    if (operands.size() != count) {
        throw UsageError((operands.size() < count ? "expects " : "expects only ") + what);
    }
}
