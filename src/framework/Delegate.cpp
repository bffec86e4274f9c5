#include "Delegate.h"

namespace fw {

const ClassRecord& Delegate::Lookup()
{
    static const ClassRecord record = ConcreteClass<Delegate>("Delegate", &Object::Lookup());
    return record;
}

ObjectRef Delegate::Target() const
{
    if (!hasTarget_) return nullptr;
    ObjectRef target = strong_ ? strong_ : weak_.lock();
    if (!target) throw NilObjectException("the delegate's target is gone");
    return target;
}

DelegateRef RuntimeCreateDelegate(Delegate::Invoker invoker, std::any method, const ObjectRef& target,
                                  String signature, std::int32_t flags)
{
    auto d = New<Delegate>();
    d->invoker = invoker;
    d->method = std::move(method);
    d->signature = std::move(signature);
    d->hasTarget_ = target != nullptr;
    if (flags & kDelegateWeakTarget)
        d->weak_ = target;
    else
        d->strong_ = target;
    return d;
}

void DelegateInvoke(const Delegate&, Control&, std::int32_t)
{
    throw RuntimeException("a routine delegate has no event to invoke");
}

} // namespace fw
