#pragma once
// Walking a command line the way Linux programs read theirs.

#include <functional>
#include <optional>
#include <string>
#include <vector>

/// Reads arguments in order. An argument that starts with "-" and is longer
/// than that is an option: "--name=VALUE" carries its value, otherwise the
/// value, where the option takes one, is the next argument. "--" makes every
/// later argument an operand, and "-" alone is an operand.
class OptionReader {
public:
    /// args: the command line without the program's name.
    explicit OptionReader(std::vector<std::string> args) : m_args(std::move(args)) {}

    bool AtEnd() const { return m_next >= m_args.size(); }

    /// Reads every argument: returns the operands in order and calls
    /// applyOption with the name of each option, which reads the option's
    /// value (Value) or checks that it has none (NoValue) and throws
    /// UsageError for an option it does not know. Throws HelpRequest at
    /// "--help" or "-h", and VersionRequest at "--version", which applyOption
    /// never sees.
    std::vector<std::string> ReadAll(const std::function<void(const std::string&)>& applyOption);

    /// Moves past the next argument and returns it when it is an operand
    /// (skipping a "--" first); returns nothing, without moving, at an option
    /// or the end.
    std::optional<std::string> NextOperand();

    /// Moves past the next argument, which must be an option (asserted), and
    /// returns its name, "--size" of "--size=800x575".
    std::string NextOption();

    /// The value of the option just read: the text after '=', or the next
    /// argument, which it then moves past. Throws UsageError when there is
    /// neither.
    std::string Value();

    /// Throws UsageError when the option just read, which takes no value, was
    /// given one with '='.
    void NoValue() const;

    /// Throws UsageError, saying that the command expects what, unless there
    /// are exactly count operands.
    static void ExpectOperands(const std::vector<std::string>& operands, std::size_t count,
                               const std::string& what);

private:
    std::vector<std::string> m_args;
    std::size_t m_next = 0;
    bool m_onlyOperands = false;           ///< past "--"
    std::string m_option;                  ///< name of the option just read
    std::optional<std::string> m_attached; ///< its value given with '='
};
