// One replaceable service of the whole process, in the one shape every such seam has: the one in
// use is the installed one, else the platform's default; installing returns the previous one,
// and nullptr puts the default back.
#pragma once

template <class X, X& (*platformDefault)()> class Seam {
public:
    X& get() const { return installed_ != nullptr ? *installed_ : platformDefault(); }
    X* install(X* replacement) {
        X* previous = installed_;
        installed_ = replacement;
        return previous;
    }

private:
    X* installed_ = nullptr;
};
