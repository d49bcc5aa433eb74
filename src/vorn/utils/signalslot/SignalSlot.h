#pragma once

// Signals and slots.
//
// Three layers:
// - bound callables (CGenericEvent.h): a member function and its object, or a
//   free function; arguments travel as CAnyContainer values and are converted
//   to the parameter types when the call is made;
// - named targets (ICCSSObject.h, CCSSObject.h): objects of classes derived
//   from CCSSObject<T>, kept in one global list and found by instance name
//   (FindObjectByName); a class registers its connectable functions by name
//   in css::CCSSSlotFactory, with its class name in CSSObject<T>;
// - signals (CSignal.h): ordered lists of CSlot connections, emitted in
//   order, written to XML as "Slot" elements naming target and function.
//
// Lifetime: a slot lives until its signal or its target is destroyed,
// whichever comes first; both ends unlink it from the other, so no call ever
// reaches a destroyed object, even when the destruction happens inside an
// emission.
//
// Typical use:
//   CSSObject<CNameDialog>::Register("CNameDialog", true);      // once, at start
//   css::CCSSSlotFactory::GetSingleton()->RegisterFunction<CNameDialog>("OnOk",
//   &CNameDialog::OnOk);
//
//   okButton->GetClickSignal().Connect(dialog, &CNameDialog::OnOk);  // direct
//   if (ICCSSObject* target = FindObjectByName("name_dialog"))       // by name
//       signal.Connect(target->GetSlot("OnOk"));                        // (null: ignored)
//   signal.Emit();

#include "vorn/utils/signalslot/CCSSObject.h"
#include "vorn/utils/signalslot/CCSSSlotFactory.h"
#include "vorn/utils/signalslot/CGenericEvent.h"
#include "vorn/utils/signalslot/CSSObject.h"
#include "vorn/utils/signalslot/CSignal.h"
#include "vorn/utils/signalslot/CSlot.h"
#include "vorn/utils/signalslot/ICCSSObject.h"
