#include "ui/grid/exprparser.h"

#include <muParser.h>

#include <map>
#include <regex>

namespace vellicor {

struct CParser::Impl {
    mu::Parser parser;
    // Node-based, so that the addresses handed to the parser stay valid.
    std::map<std::string, double> variables;
};

CParser::CParser() : impl_(std::make_unique<Impl>()) {}

CParser::~CParser() = default;

void CParser::Reset()
{
    impl_->parser.ClearVar();
    impl_->variables.clear();
}

int CParser::Eval(const std::string& text, double* result)
{
    static const std::regex assignment(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*=([^=].*)$)");
    std::smatch m;
    const bool assigns = std::regex_match(text, m, assignment);
    try {
        impl_->parser.SetExpr(assigns ? m[2].str() : text);
        const double value = impl_->parser.Eval();
        if (assigns) {
            const std::string name = m[1].str();
            double& variable = impl_->variables[name];
            variable = value;
            impl_->parser.DefineVar(name, &variable);
        }
        *result = value;
        return 0;
    } catch (const mu::Parser::exception_type&) {
        return 1;
    }
}

} // namespace vellicor
