#include "parser.h"

#include <cctype>
#include <cstdint>
#include <set>
#include <sstream>
#include <unordered_map>

#include "../runtime/lower_case.h"
#include "host/scene_paths.h"
#include "lexer.h"

namespace host::script {

namespace {

using host::lower;

struct Failure {
  std::string found, expected;
  int line;
  bool at_end;
};

PathNameValue* make_path_name(const std::string& text) {
  return static_cast<PathNameValue*>(make_static(new PathNameValue(text)));
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : toks_(std::move(tokens)) {}

  // Reads the next top-level expression; false at the end of the text.
  bool top_level(TopLevel& t) {
    skip_separators();
    if (at(Tok::End)) return false;
    FnScope top{nullptr, {}, 0, true};
    top.blocks.push_back(BlockScope{{}, false});
    fn_ = &top;
    t.line = peek().line;
    t.expr = expr();
    t.slot_count = top.slots;
    fn_ = nullptr;
    if (!at(Tok::End) && !at(Tok::Newline) && !at(Tok::Semicolon)) fail("<end of expression>");
    return true;
  }

 private:
  // ---- scopes -------------------------------------------------------------
  struct BlockScope {
    std::unordered_map<Value*, int> vars;
    bool implicit_locals;  // assignments to unknown names make locals here
  };
  struct FnScope {
    FnScope* parent;
    std::vector<BlockScope> blocks;
    int slots;
    bool top_level;
    std::vector<int> reads = {};      // per slot: how often code names it
    std::set<int> by_reference = {};  // slots of by-reference parameters
  };

  void push_block(bool implicit_locals) { fn_->blocks.push_back(BlockScope{{}, implicit_locals}); }
  void pop_block() { fn_->blocks.pop_back(); }
  bool implicit_here() const { return fn_->blocks.back().implicit_locals; }

  int declare_local(Value* name) {
    auto& vars = fn_->blocks.back().vars;
    auto found = vars.find(name);
    if (found != vars.end()) return found->second;
    int slot = fn_->slots++;
    fn_->reads.push_back(0);
    vars.emplace(name, slot);
    return slot;
  }

  std::unique_ptr<Assignable> resolve(Value* name, int line, bool for_assignment) {
    int depth = 0;
    for (FnScope* s = fn_; s != nullptr; s = s->parent, ++depth)
      for (auto b = s->blocks.rbegin(); b != s->blocks.rend(); ++b) {
        auto found = b->vars.find(name);
        if (found != b->vars.end()) {
          ++s->reads[static_cast<std::size_t>(found->second)];
          if (s->by_reference.count(found->second))
            return std::make_unique<RefParamVar>(line, depth, found->second);
          return std::make_unique<LocalVar>(line, depth, found->second);
        }
      }
    GlobalCell* cell = global_cell(name);
    if (for_assignment) {
      bool known = cell->thunk != nullptr || known_globals_.count(name);
      if (!known && implicit_here()) return std::make_unique<LocalVar>(line, 0, declare_local(name));
      known_globals_.insert(name);
    }
    return std::make_unique<GlobalVar>(line, cell);
  }

  // ---- tokens ---------------------------------------------------------------
  const Token& peek(int k = 0) const {
    std::size_t i = pos_ + static_cast<std::size_t>(k);
    return i < toks_.size() ? toks_[i] : toks_.back();
  }
  const Token& next() {
    const Token& t = peek();
    if (pos_ < toks_.size() - 1) ++pos_;
    return t;
  }
  bool at(Tok t) const { return peek().type == t; }
  bool at_kw(const char* kw) const { return peek().type == Tok::Keyword && lower(peek().text) == kw; }
  bool at_word(const char* w) const {
    return (peek().type == Tok::Ident || peek().type == Tok::Keyword) && lower(peek().text) == w;
  }
  void skip_newlines() {
    while (at(Tok::Newline)) next();
  }
  void skip_separators() {
    while (at(Tok::Newline) || at(Tok::Semicolon)) next();
  }
  // Accepts a keyword that may stand on a following line.
  bool accept_kw(const char* kw) {
    std::size_t save = pos_;
    skip_newlines();
    if (at_kw(kw)) {
      next();
      return true;
    }
    pos_ = save;
    return false;
  }
  void expect_kw(const char* kw) {
    if (!accept_kw(kw)) fail(kw);
  }
  void expect(Tok t, const char* what) {
    if (!at(t)) fail(what);
    next();
  }

  [[noreturn]] void fail(const std::string& expected) {
    const Token& t = peek();
    if (t.type == Tok::Error) throw Failure{t.text, t.expected, t.line, t.text == "end of script"};
    throw Failure{describe(t), expected, t.line, t.type == Tok::End};
  }

  // ---- expressions ----------------------------------------------------------
  // Nesting deeper than this is refused rather than read with ever more
  // stack: no script needs it, and a generated one could exhaust the stack.
  static constexpr int kMaxNesting = 1000;
  struct Nesting {
    explicit Nesting(Parser& p) : parser(p) {
      if (++parser.nesting_ > kMaxNesting) {
        --parser.nesting_;
        parser.fail("an expression nested less deeply");
      }
    }
    ~Nesting() { --parser.nesting_; }
    Parser& parser;
  };

  NodePtr expr() {
    Nesting guard(*this);
    if (peek().type == Tok::Keyword) {
      std::string kw = lower(peek().text);
      if (kw == "if") return if_expr();
      if (kw == "while") return while_expr();
      if (kw == "do") return do_expr();
      if (kw == "for") return for_expr();
      if (kw == "try") return try_expr();
      if (kw == "case") return case_expr();
      if (kw == "fn" || kw == "function") return fn_def();
      if (kw == "struct") return struct_def();
      if (kw == "return") return return_expr();
      if (kw == "exit") return exit_expr();
      if (kw == "continue") return std::make_unique<Continue>(next().line);
      if (kw == "throw") return throw_expr();
      if (kw == "local" || kw == "global") return declaration();
      if (kw == "max") return max_command();
      if (starts_context()) return context_expr();
    }
    if (at(Tok::Ident)) {
      std::string word = lower(peek().text);
      if (word == "persistent" && peek(1).type == Tok::Keyword && lower(peek(1).text) == "global") {
        next();
        std::vector<Value*> names;
        NodePtr declared = declaration(&names);
        return std::make_unique<PersistentDeclaration>(declared->line, std::move(names), std::move(declared));
      }
      if (word == "mapped" && peek(1).type == Tok::Keyword &&
          (lower(peek(1).text) == "fn" || lower(peek(1).text) == "function")) {
        next();
        return fn_def(true);
      }
      if (starts_context()) return context_expr();
    }
    return assignment();
  }

  NodePtr assignment() {
    NodePtr lhs = or_expr();
    Value* (*op)(Value*, Value*) = nullptr;
    switch (peek().type) {
      case Tok::Assign: break;
      case Tok::PlusAssign: op = op_plus; break;
      case Tok::MinusAssign: op = op_minus; break;
      case Tok::TimesAssign: op = op_times; break;
      case Tok::DivAssign: op = op_div; break;
      default: return lhs;
    }
    int line = next().line;
    std::unique_ptr<Assignable> target;
    auto* g = dynamic_cast<GlobalVar*>(lhs.get());
    if (g != nullptr && !g->explicit_global) {
      target = resolve(g->cell->name, g->line, true);
    } else if (dynamic_cast<Assignable*>(lhs.get()) != nullptr) {
      target.reset(static_cast<Assignable*>(lhs.release()));
    } else {
      throw Failure{"=", "a variable, property or index before =", line, false};
    }
    skip_newlines();
    NodePtr value = expr();
    return std::make_unique<Assign>(line, std::move(target), std::move(value), op);
  }

  NodePtr or_expr() {
    NodePtr left = and_expr();
    while (at_kw("or")) {
      int line = next().line;
      skip_newlines();
      left = std::make_unique<Logical>(line, Logical::Or, std::move(left), and_expr());
    }
    return left;
  }

  NodePtr and_expr() {
    NodePtr left = not_expr();
    while (at_kw("and")) {
      int line = next().line;
      skip_newlines();
      left = std::make_unique<Logical>(line, Logical::And, std::move(left), not_expr());
    }
    return left;
  }

  NodePtr not_expr() {
    Nesting guard(*this);
    if (at_kw("not")) {
      int line = next().line;
      return std::make_unique<Logical>(line, Logical::Not, not_expr(), nullptr);
    }
    return comparison();
  }

  NodePtr comparison() {
    NodePtr left = sum();
    while (true) {
      Value* (*op)(Value*, Value*) = nullptr;
      switch (peek().type) {
        case Tok::Eq: op = op_eq; break;
        case Tok::Ne: op = op_ne; break;
        case Tok::Lt: op = op_lt; break;
        case Tok::Gt: op = op_gt; break;
        case Tok::Le: op = op_le; break;
        case Tok::Ge: op = op_ge; break;
        default: return left;
      }
      int line = next().line;
      skip_newlines();
      left = std::make_unique<Binary>(line, op, std::move(left), sum());
    }
  }

  NodePtr sum() {
    NodePtr left = product();
    while (at(Tok::Plus) || at(Tok::Minus)) {
      auto op = at(Tok::Plus) ? op_plus : op_minus;
      int line = next().line;
      skip_newlines();
      left = std::make_unique<Binary>(line, op, std::move(left), product());
    }
    return left;
  }

  NodePtr product() {
    NodePtr left = power();
    while (at(Tok::Star) || at(Tok::Slash)) {
      auto op = at(Tok::Star) ? op_times : op_div;
      int line = next().line;
      skip_newlines();
      left = std::make_unique<Binary>(line, op, std::move(left), power());
    }
    return left;
  }

  NodePtr power() {
    NodePtr base = as_expr();
    if (at(Tok::Caret)) {
      int line = next().line;
      skip_newlines();
      return std::make_unique<Binary>(line, op_pow, std::move(base), power());
    }
    return base;
  }

  NodePtr as_expr() {
    NodePtr v = unary();
    while (at_kw("as")) {
      int line = next().line;
      v = std::make_unique<AsConversion>(line, std::move(v), unary());
    }
    return v;
  }

  NodePtr unary() {
    Nesting guard(*this);
    if (at(Tok::Minus)) {
      int line = next().line;
      NodePtr operand = unary();
      return negate(line, std::move(operand));
    }
    if (at(Tok::Ampersand)) return reference();
    if (at(Tok::Star) && !peek().space_after) {  // *ref
      int line = next().line;
      return std::make_unique<Dereference>(line, unary());
    }
    return call_expr();
  }

  // 2147483648 is a 64-bit integer, but -2147483648 still an Integer: the
  // unsuffixed literal is this one shared value, which negate recognises.
  static Integer64& two_to_the_31() {
    static Integer64 value(2147483648LL);
    return value;
  }

  static NodePtr number_literal(const Token& t) {
    Value* v = nullptr;
    switch (t.type) {
      case Tok::Integer:
        if (t.int_value == 2147483648LL) return std::make_unique<Constant>(t.line, &two_to_the_31());
        if (t.int_value < INT32_MIN || t.int_value > INT32_MAX) v = new Integer64(t.int_value);
        else v = Integer::intern(static_cast<int>(t.int_value));
        break;
      case Tok::Integer64: v = new Integer64(t.int_value); break;
      case Tok::Float: v = new Float(static_cast<float>(t.float_value)); break;
      case Tok::Double: v = new Double(t.float_value); break;
      default:
        if (t.normalized) {  // 0.5n: a fraction of the animation range when it runs
          auto call = std::make_unique<Call>(t.line);
          call->callee = std::make_unique<GlobalVar>(t.line, global_cell(Name::intern("normTime")));
          Value* fraction = make_static(new Float(static_cast<float>(t.float_value)));
          call->args.push_back(std::make_unique<Constant>(t.line, fraction));
          return call;
        }
        v = new MSTime(static_cast<TimeValue>(t.int_value));
    }
    return std::make_unique<Constant>(t.line, make_static(v));
  }

  // &x, &a[1], &p.x: a reference the called function can assign through.
  NodePtr reference() {
    int line = next().line;
    NodePtr target = postfix();
    auto* assignable = dynamic_cast<Assignable*>(target.get());
    if (assignable == nullptr) throw Failure{"&", "a variable, property or index after &", line, false};
    target.release();
    return std::make_unique<MakeReference>(line, std::unique_ptr<Assignable>(assignable));
  }

  // -5 is a constant; -x negates at run time.
  static NodePtr negate(int line, NodePtr operand) {
    if (auto* c = dynamic_cast<Constant*>(operand.get())) {
      if (c->value->tag == &Integer_class) {
        auto negated = static_cast<int>(0u - static_cast<unsigned>(c->value->to_int()));
        return std::make_unique<Constant>(line, make_static(Integer::intern(negated)));
      }
      if (c->value->tag == &Float_class) return std::make_unique<Constant>(line, make_static(new Float(-c->value->to_float())));
      if (c->value == &two_to_the_31())
        return std::make_unique<Constant>(line, make_static(Integer::intern(INT32_MIN)));
    }
    return std::make_unique<Negate>(line, std::move(operand));
  }

  bool starts_operand() const {
    const Token& t = peek();
    switch (t.type) {
      case Tok::Integer: case Tok::Integer64: case Tok::Float: case Tok::Double: case Tok::Time:
      case Tok::String: case Tok::Name:
      case Tok::Ident:
      case Tok::LParen:
      case Tok::HashParen:
      case Tok::HashBrace:
      case Tok::Path:
        return true;
      case Tok::LBracket: return t.space_before;
      case Tok::Ampersand:
        return !t.space_after;
      case Tok::Colon:
        return explicit_global_here();
      case Tok::Minus: return t.space_before && !t.space_after && starts_after_minus();
      case Tok::Keyword: return keyword_argument_here();  // to:stream
      default: return false;
    }
  }
  // A name and a colon right after it: key:value (keywords such as to: too).
  bool keyword_argument_here() const {
    return (at(Tok::Ident) || at(Tok::Keyword)) && peek(1).type == Tok::Colon && !peek(1).space_before;
  }
  // ::name, the global even where a local of that name hides it.
  bool explicit_global_here() const {
    return at(Tok::Colon) && peek(1).type == Tok::Colon && !peek(1).space_before &&
           peek(2).type == Tok::Ident && !peek(2).space_before;
  }
  bool starts_after_minus() const {
    switch (peek(1).type) {
      case Tok::Integer: case Tok::Integer64: case Tok::Float: case Tok::Double: case Tok::Time:
      case Tok::Ident: case Tok::LParen:
        return true;
      default: return false;
    }
  }

  NodePtr call_expr() {
    NodePtr head = postfix();
    if (!starts_operand()) return head;
    auto call = std::make_unique<Call>(head->line);
    call->callee = std::move(head);
    while (starts_operand()) {
      if (keyword_argument_here()) {
        Value* key = Name::intern(next().text.c_str());
        next();
        call->keywords.emplace_back(key, operand());
      } else {
        call->args.push_back(operand());
      }
    }
    if (call->args.size() == 1 && call->keywords.empty() && dynamic_cast<Unit*>(call->args[0].get()))
      call->args.clear();
    return call;
  }

  NodePtr operand() {
    Nesting guard(*this);
    if (at(Tok::Minus)) {
      int line = next().line;
      return negate(line, operand());
    }
    if (at(Tok::Ampersand)) return reference();
    return postfix();
  }

  NodePtr postfix() {
    NodePtr v = primary();
    while (true) {
      if (at(Tok::Dot)) {
        next();
        if (!at(Tok::Ident) && !at(Tok::Keyword)) fail("<property name>");
        const Token& name = next();
        v = std::make_unique<Property>(name.line, std::move(v), Name::intern(name.text.c_str()));
      } else if (at(Tok::LBracket) && !peek().space_before) {
        int line = next().line;
        skip_newlines();
        NodePtr index = expr();
        skip_newlines();
        expect(Tok::RBracket, "]");
        v = std::make_unique<Index>(line, std::move(v), std::move(index));
      } else {
        return v;
      }
    }
  }

  NodePtr primary() {
    const Token& t = peek();
    int line = t.line;
    switch (t.type) {
      case Tok::Integer: case Tok::Integer64: case Tok::Float: case Tok::Double: case Tok::Time:
        next();
        return number_literal(t);
      case Tok::String:
        next();
        return std::make_unique<StringLiteral>(line, t.text);
      case Tok::Name:
        next();
        return std::make_unique<Constant>(line, Name::intern(t.text.c_str()));
      case Tok::Ident: {
        next();
        std::string w = lower(t.text);
        if (w == "true" || w == "on") return std::make_unique<Constant>(line, &true_value);
        if (w == "false" || w == "off") return std::make_unique<Constant>(line, &false_value);
        if (w == "undefined") return std::make_unique<Constant>(line, &undefined);
        if (w == "ok") return std::make_unique<Constant>(line, &ok);
        if (w == "unsupplied") return std::make_unique<Constant>(line, &unsupplied);
        return resolve(Name::intern(t.text.c_str()), line, false);
      }
      case Tok::Path:
        next();
        return std::make_unique<PathLiteral>(line, make_path_name(t.text));
      case Tok::Question:  // the listener's last result
        next();
        return std::make_unique<GlobalVar>(line, global_cell(Name::intern(kLastResultName)), true);
      case Tok::Colon:
        if (!explicit_global_here()) fail("<factor>");
        next();
        next();
        {
          Value* name = Name::intern(next().text.c_str());
          known_globals_.insert(name);
          return std::make_unique<GlobalVar>(line, global_cell(name), true);
        }
      case Tok::LParen: return paren_block();
      case Tok::HashParen: return array_literal();
      case Tok::HashBrace: return bitarray_literal();
      case Tok::LBracket: return point_literal();
      default: fail("<factor>");
    }
  }

  NodePtr paren_block() {
    int line = next().line;
    skip_separators();
    if (at(Tok::RParen)) {
      next();
      return std::make_unique<Unit>(line);
    }
    push_block(true);
    auto block = std::make_unique<Block>(line);
    while (!at(Tok::RParen)) {
      block->body.push_back(expr());
      if (!at(Tok::RParen) && !at(Tok::Newline) && !at(Tok::Semicolon)) fail(")");
      skip_separators();
    }
    next();
    pop_block();
    if (block->body.size() == 1) return std::move(block->body[0]);
    return block;
  }

  NodePtr array_literal() {
    auto a = std::make_unique<ArrayLiteral>(next().line);
    skip_newlines();
    if (at(Tok::RParen)) {
      next();
      return a;
    }
    while (true) {
      skip_newlines();
      a->items.push_back(expr());
      skip_newlines();
      if (at(Tok::RParen)) break;
      expect(Tok::Comma, ")");
    }
    next();
    return a;
  }

  NodePtr bitarray_literal() {
    auto b = std::make_unique<BitArrayLiteral>(next().line);
    skip_newlines();
    if (at(Tok::RBrace)) {
      next();
      return b;
    }
    while (true) {
      skip_newlines();
      NodePtr first = sum();
      NodePtr last;
      if (at(Tok::DotDot)) {
        next();
        last = sum();
      }
      b->ranges.emplace_back(std::move(first), std::move(last));
      skip_newlines();
      if (at(Tok::RBrace)) break;
      expect(Tok::Comma, "}");
    }
    next();
    return b;
  }

  // [x, y], [x, y, z] or [x, y, z, w].
  NodePtr point_literal() {
    auto p = std::make_unique<PointLiteral>(next().line);
    for (;;) {
      skip_newlines();
      p->components.push_back(expr());
      skip_newlines();
      if (p->components.size() < 2 || (p->components.size() < 4 && at(Tok::Comma))) {
        expect(Tok::Comma, ",");
        continue;
      }
      break;
    }
    expect(Tok::RBracket, "]");
    return p;
  }

  // ---- control forms --------------------------------------------------------
  NodePtr if_expr() {
    auto node = std::make_unique<If>(next().line);
    skip_newlines();
    node->condition = expr();
    if (accept_kw("then")) {
      skip_newlines();
      node->then_branch = expr();
      if (accept_kw("else")) {
        skip_newlines();
        node->else_branch = expr();
      }
    } else if (accept_kw("do")) {
      skip_newlines();
      node->then_branch = expr();
    } else {
      fail("then or do");
    }
    return node;
  }

  NodePtr while_expr() {
    auto node = std::make_unique<While>(next().line, false);
    skip_newlines();
    node->condition = expr();
    expect_kw("do");
    skip_newlines();
    node->body = expr();
    return node;
  }

  NodePtr do_expr() {
    auto node = std::make_unique<While>(next().line, true);
    skip_newlines();
    node->body = expr();
    expect_kw("while");
    skip_newlines();
    node->condition = expr();
    return node;
  }

  // for v [, index [, filtered_index]] (= | in) <from> to <to> [by <step>]
  //   [while <test>] [where <filter>] (do | collect) <body>; also a sequence
  // (an array, a bit array, a string) in place of from/to.
  NodePtr for_expr() {
    auto node = std::make_unique<ForLoop>(next().line);
    std::vector<Value*> vars;
    while (true) {
      if (!at(Tok::Ident)) fail("<loop variable>");
      vars.push_back(Name::intern(next().text.c_str()));
      if (vars.size() == 3 || !at(Tok::Comma)) break;
      next();
    }
    if (!at(Tok::Assign) && !at_kw("in")) fail("= or in");
    bool numeric_only = at(Tok::Assign);
    next();
    skip_newlines();
    NodePtr first = expr();
    if (accept_kw("to")) {
      node->from = std::move(first);
      skip_newlines();
      node->to = expr();
      if (accept_kw("by")) {
        skip_newlines();
        node->by = expr();
      }
    } else if (numeric_only) {
      fail("to");
    } else {
      node->sequence = std::move(first);
    }
    push_block(implicit_here());
    node->slot = declare_local(vars[0]);
    if (vars.size() > 1) node->index_slot = declare_local(vars[1]);
    if (vars.size() > 2) node->filtered_slot = declare_local(vars[2]);
    while (true) {
      if (!node->while_cond && accept_kw("while")) {
        skip_newlines();
        node->while_cond = expr();
      } else if (!node->where && accept_kw("where")) {
        skip_newlines();
        node->where = expr();
      } else {
        break;
      }
    }
    if (accept_kw("collect")) {
      node->collect = true;
    } else if (!accept_kw("do")) {
      fail("do or collect");
    }
    skip_newlines();
    node->body = expr();
    // A loop whose body never names its variable need not make a value for it.
    node->variable_read = fn_->reads[static_cast<std::size_t>(node->slot)] > 0;
    pop_block();
    return node;
  }

  NodePtr try_expr() {
    auto node = std::make_unique<Try>(next().line);
    skip_newlines();
    node->body = expr();
    expect_kw("catch");
    skip_newlines();
    node->handler = expr();
    return node;
  }

  NodePtr case_expr() {
    auto node = std::make_unique<Case>(next().line);
    if (!at_kw("of")) {
      skip_newlines();
      node->subject = expr();
    }
    expect_kw("of");
    skip_newlines();
    expect(Tok::LParen, "(");
    skip_separators();
    while (!at(Tok::RParen)) {
      if (at_word("default") && peek(1).type == Tok::Colon) {
        next();
        next();
        skip_newlines();
        node->default_clause = expr();
      } else {
        NodePtr label = operand();
        expect(Tok::Colon, ":");
        skip_newlines();
        node->clauses.emplace_back(std::move(label), expr());
      }
      if (!at(Tok::RParen) && !at(Tok::Newline) && !at(Tok::Semicolon)) fail(")");
      skip_separators();
    }
    next();
    return node;
  }

  NodePtr fn_def(bool mapped = false) {
    int line = next().line;
    if (!at(Tok::Ident)) fail("<function name>");
    Value* name = Name::intern(peek().text.c_str());
    std::string fn_name = next().text;
    // The name is bound before the body is read, so the body may call itself.
    std::unique_ptr<Assignable> target = resolve_definition(name, line);
    auto code = std::make_shared<FunctionCode>();
    code->name = fn_name;
    code->mapped = mapped;
    FnScope scope{fn_, {}, 0, false};
    scope.blocks.push_back(BlockScope{{}, true});
    FnScope* outer = fn_;
    fn_ = &scope;
    std::vector<Value*> positional;
    std::vector<std::pair<Value*, NodePtr>> keyword_params;
    std::set<Value*> by_reference;
    while (at(Tok::Ident) || (at(Tok::Ampersand) && peek(1).type == Tok::Ident && !peek(1).space_before)) {
      if (at(Tok::Ampersand)) {
        next();
        by_reference.insert(Name::intern(peek().text.c_str()));
      }
      Value* param = Name::intern(next().text.c_str());
      if (at(Tok::Colon)) {
        next();
        NodePtr def;
        if (!at(Tok::Assign) && starts_operand() && !keyword_argument_here() && !at(Tok::Ampersand))
          def = operand();
        keyword_params.emplace_back(param, std::move(def));
      } else {
        positional.push_back(param);
      }
    }
    auto declare_param = [&](Value* p) {
      int slot = declare_local(p);
      if (by_reference.count(p)) fn_->by_reference.insert(slot);
      return slot;
    };
    for (Value* p : positional) declare_param(p);
    for (auto& [p, def] : keyword_params) code->keyword_slots.push_back(declare_param(p));
    code->positional = static_cast<int>(positional.size());
    code->keyword_params = std::move(keyword_params);
    expect(Tok::Assign, "=");
    skip_newlines();
    code->body = expr();
    code->slot_count = scope.slots;
    fn_ = outer;
    return std::make_unique<FunctionDef>(line, std::move(code), std::move(target));
  }

  // struct Name (member, member = default, fn method ... = ..., private ...,
  // on create do ...)
  NodePtr struct_def() {
    int line = next().line;
    if (!at(Tok::Ident)) fail("<struct name>");
    Value* name = Name::intern(peek().text.c_str());
    std::string struct_name = next().text;
    std::unique_ptr<Assignable> target = resolve_definition(name, line);
    auto code = std::make_shared<StructCode>();
    code->name = struct_name;
    FnScope scope{fn_, {}, 0, false};
    scope.blocks.push_back(BlockScope{{}, true});
    FnScope* outer = fn_;
    fn_ = &scope;
    code->this_slot = declare_local(Name::intern("this"));
    skip_newlines();
    expect(Tok::LParen, "(");
    bool is_private = false;
    while (true) {
      skip_newlines();
      while (at_word("private") || at_word("public")) {
        is_private = at_word("private");
        next();
        skip_newlines();
      }
      if (at_word("on") && peek(1).type == Tok::Ident) {
        next();
        std::string event = lower(next().text);
        if (event != "create" && event != "clone") fail("create or clone");
        expect_kw("do");
        skip_newlines();
        NodePtr handler = expr();
        if (event == "create") code->on_create = std::move(handler);  // structs are never copied here
      } else if (at_kw("fn") || at_kw("function") || (at_word("mapped") && peek(1).type == Tok::Keyword)) {
        bool mapped = at_word("mapped");
        if (mapped) next();
        const Token& fn_token = peek(1);
        if (fn_token.type != Tok::Ident) fail("<function name>");
        add_member(*code, fn_token.text, true, is_private);
        code->initialisers.push_back(fn_def(mapped));
      } else {
        if (!at(Tok::Ident)) fail("<member name>");
        const Token& t = next();
        int slot = add_member(*code, t.text, false, is_private);
        if (at(Tok::Assign)) {
          next();
          skip_newlines();
          code->initialisers.push_back(std::make_unique<Assign>(t.line, std::make_unique<LocalVar>(t.line, 0, slot),
                                                                expr(), nullptr));
        }
      }
      skip_newlines();
      if (at(Tok::RParen)) break;
      expect(Tok::Comma, ", or )");
    }
    next();
    code->slot_count = scope.slots;
    fn_ = outer;
    return std::make_unique<StructDef>(line, std::move(code), std::move(target));
  }

  int add_member(StructCode& code, const std::string& spelling, bool is_method, bool is_private) {
    Value* member = Name::intern(spelling.c_str());
    for (Value* m : code.members)
      if (m == member) throw Failure{spelling, "a member name not used before", peek().line, false};
    int slot = declare_local(member);
    code.members.push_back(member);
    code.spellings.push_back(spelling);
    code.is_method.push_back(is_method);
    code.is_private.push_back(is_private);
    code.slots.push_back(slot);
    return slot;
  }

  std::unique_ptr<Assignable> resolve_definition(Value* name, int line) {
    if (implicit_here()) {
      auto& vars = fn_->blocks.back().vars;
      auto found = vars.find(name);
      return std::make_unique<LocalVar>(line, 0, found != vars.end() ? found->second : declare_local(name));
    }
    return resolve(name, line, true);
  }

  bool on_same_line_expression() const {
    return !at(Tok::Newline) && !at(Tok::End) && !at(Tok::Semicolon) && !at(Tok::RParen) &&
           !(peek().type == Tok::Keyword && (at_kw("else") || at_kw("catch") || at_kw("while")));
  }

  NodePtr return_expr() {
    auto node = std::make_unique<Return>(next().line);
    if (on_same_line_expression()) node->value = expr();
    return node;
  }

  NodePtr exit_expr() {
    auto node = std::make_unique<Exit>(next().line);
    if (at_kw("with")) {
      next();
      node->value = expr();
    }
    return node;
  }

  NodePtr throw_expr() {
    auto node = std::make_unique<Throw>(next().line);
    if (starts_operand()) {
      NodePtr first = operand();
      if (!dynamic_cast<Unit*>(first.get())) {
        node->message = std::move(first);
        if (starts_operand()) node->value = operand();
      }
    }
    return node;
  }

  // names, when given, gets the names of the globals declared.
  NodePtr declaration(std::vector<Value*>* names = nullptr) {
    bool is_local = lower(next().text) == "local";
    auto block = std::make_unique<Block>(peek().line);
    while (true) {
      if (!at(Tok::Ident)) fail("<variable name>");
      const Token& t = next();
      Value* name = Name::intern(t.text.c_str());
      std::unique_ptr<Assignable> target;
      if (is_local) {
        target = std::make_unique<LocalVar>(t.line, 0, declare_local(name));
      } else {
        known_globals_.insert(name);
        if (names != nullptr) names->push_back(name);
        target = std::make_unique<GlobalVar>(t.line, global_cell(name));
      }
      if (at(Tok::Assign)) {
        next();
        skip_newlines();
        block->body.push_back(std::make_unique<Assign>(t.line, std::move(target), expr(), nullptr));
      } else if (is_local) {
        block->body.push_back(std::make_unique<Assign>(t.line, std::move(target),
                                                       std::make_unique<Constant>(t.line, &undefined), nullptr));
      }
      if (!at(Tok::Comma)) break;
      next();
      skip_newlines();
    }
    if (block->body.size() == 1) return std::move(block->body[0]);
    return block;
  }

  // ---- contexts and max commands ---------------------------------------------
  // The prefix that starts here, if any: at time, [with] animate,
  // [in] coordsys, [with] undo, with redraw.
  bool starts_context() const {
    int k = 0;
    if (at_kw("with")) k = 1;
    const Token& t = peek(k);
    if (t.type != Tok::Ident && t.type != Tok::Keyword) return false;
    std::string word = lower(t.text);
    const Token& after = peek(k + 1);
    bool value_follows = after.type != Tok::Assign && after.type != Tok::Dot && after.type != Tok::Newline &&
                         after.type != Tok::End && after.type != Tok::RParen && after.type != Tok::Comma &&
                         after.type != Tok::Semicolon &&
                         !(after.type == Tok::LBracket && !after.space_before) && after.type != Tok::Colon;
    if (k == 0 && word == "at") return after.type == Tok::Ident && lower(after.text) == "time";
    if (k == 0 && word == "in") return after.type == Tok::Ident && lower(after.text) == "coordsys";
    if (word == "animate" || word == "undo") return value_follows || k == 1;
    if (word == "coordsys") return k == 0 && value_follows;
    if (word == "redraw") return k == 1;
    return false;
  }

  NodePtr context_expr() {
    auto node = std::make_unique<ContextExpr>(peek().line);
    do {
      ContextExpr::Prefix prefix{ContextExpr::Time, nullptr, nullptr};
      if (at_kw("with")) next();
      std::string word = lower(next().text);
      if (word == "at") {
        next();  // time
        prefix.kind = ContextExpr::Time;
        prefix.value = operand();
      } else if (word == "in" || word == "coordsys") {
        if (word == "in") next();  // coordsys
        prefix.kind = ContextExpr::CoordSys;
        prefix.value = coordsys_value();
      } else if (word == "animate") {
        prefix.kind = ContextExpr::Animate;
        prefix.value = operand();
      } else if (word == "undo") {
        prefix.kind = ContextExpr::Undo;
        if (at(Tok::String)) prefix.label = operand();
        prefix.value = operand();
      } else {
        prefix.kind = ContextExpr::Redraw;
        prefix.value = operand();
      }
      node->prefixes.push_back(std::move(prefix));
      if (at(Tok::Comma)) {
        next();
        skip_newlines();
        if (!starts_context()) fail("a context after ,");
      }
    } while (starts_context());
    skip_newlines();
    node->body = expr();
    return node;
  }

  // world, local, parent, grid and screen are names; anything else (a node)
  // is evaluated.
  NodePtr coordsys_value() {
    static const std::set<std::string> systems = {"world", "local", "parent", "grid", "screen"};
    if ((at(Tok::Ident) || at(Tok::Keyword)) && systems.count(lower(peek().text))) {
      const Token& t = next();
      return std::make_unique<Constant>(t.line, Name::intern(lower(t.text).c_str()));
    }
    if (!starts_operand()) fail("world, local, parent, grid, screen or a node");
    return operand();
  }

  // max <words> up to the end of the line; a ? lists the matching commands.
  NodePtr max_command() {
    int line = next().line;
    std::string words;
    bool query = false;
    static const std::set<std::string> enders = {"then", "else",    "do",    "catch",
                                                 "of",   "collect", "where", "while"};
    while (at(Tok::Ident) || (at(Tok::Keyword) && !enders.count(lower(peek().text))) || at(Tok::Integer) ||
           at(Tok::Question)) {
      if (at(Tok::Question)) {
        next();
        query = true;
        break;
      }
      if (!words.empty()) words += ' ';
      words += lower(next().text);
    }
    if (words.empty() && !query) fail("<max command>");
    return std::make_unique<MaxCommand>(line, words, query);
  }

  std::vector<Token> toks_;
  std::size_t pos_ = 0;
  FnScope* fn_ = nullptr;
  std::set<Value*> known_globals_;
  int nesting_ = 0;
};

// The line as the error shows it: a NUL byte would cut the text short.
std::string source_line(const std::string& source, int line) {
  std::istringstream in(source);
  std::string text;
  for (int i = 1; std::getline(in, text); ++i)
    if (i == line) {
      if (!text.empty() && text.back() == '\r') text.pop_back();
      std::string shown;
      for (char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
      return shown;
    }
  return "";
}

}  // namespace

class ScriptReader::Impl {
 public:
  explicit Impl(const std::string& s) : source(s), parser(tokenize_to_error(source)) {}
  std::string source;
  Parser parser;
};

ScriptReader::ScriptReader(const std::string& source) : impl_(std::make_unique<Impl>(source)) {}
ScriptReader::~ScriptReader() = default;

bool ScriptReader::next(TopLevel& out) {
  if (!error_.empty()) return false;
  try {
    return impl_->parser.top_level(out);
  } catch (const Failure& f) {
    error_ = SyntaxError(f.found, f.expected, source_line(impl_->source, f.line), f.line).message();
    incomplete_ = f.at_end;
  }
  return false;
}

ParseResult parse(const std::string& source) {
  ParseResult result;
  ScriptReader reader(source);
  auto program = std::make_unique<Program>();
  TopLevel t;
  while (reader.next(t)) program->expressions.push_back(std::move(t));
  if (!reader.error().empty()) {
    result.error = reader.error();
    result.incomplete = reader.incomplete();
  } else {
    result.program = std::move(program);
  }
  return result;
}

}  // namespace host::script
