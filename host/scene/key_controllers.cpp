// Key controllers: keys, smooth interpolation, animate-aware setting, undo.
#include "key_controllers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/hold.h"

namespace host::scene {

namespace {

// b - a in ticks, without overflow: keys may lie anywhere a time can.
float span(TimeValue a, TimeValue b) {
  return static_cast<float>(static_cast<std::int64_t>(b) - static_cast<std::int64_t>(a));
}

// Slope at key i: the slope between its neighbours, flat at either end.
template <typename T>
T slope_at(const std::vector<Key<T>>& keys, size_t i) {
  if (i == 0 || i + 1 >= keys.size()) return T{};
  const Key<T>& before = keys[i - 1];
  const Key<T>& after = keys[i + 1];
  return (after.value - before.value) * (1.0f / span(before.time, after.time));
}

template <typename T>
class KeyTrackRestore : public RestoreObj {
 public:
  explicit KeyTrackRestore(KeyController<T>* c) : controller_(c), undo_(c->track()) { c->SetAFlag(A_HELD); }
  void Restore(int) override {
    redo_ = controller_->track();
    controller_->set_track(undo_);
  }
  void Redo() override { controller_->set_track(redo_); }
  int Size() override { return static_cast<int>(sizeof(*this) + undo_.keys.size() * sizeof(Key<T>)); }
  void EndHold() override { controller_->ClearAFlag(A_HELD); }
  std::string Description() override { return "Key Change"; }

 private:
  KeyController<T>* controller_;
  KeyTrack<T> undo_, redo_;
};

}  // namespace

template <typename T>
T KeyTrack<T>::value_at(TimeValue t) const {
  if (keys.empty()) return constant;
  if (t <= keys.front().time) return keys.front().value;
  if (t >= keys.back().time) return keys.back().value;
  size_t i = static_cast<size_t>(
      std::upper_bound(keys.begin(), keys.end(), t, [](TimeValue x, const Key<T>& k) { return x < k.time; }) -
      keys.begin() - 1);
  // Cubic Hermite between keys i and i + 1.
  const Key<T>& a = keys[i];
  const Key<T>& b = keys[i + 1];
  float h = span(a.time, b.time);
  float u = span(a.time, t) / h;
  float u2 = u * u, u3 = u2 * u;
  float h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = -2 * u3 + 3 * u2, h11 = u3 - u2;
  return a.value * h00 + slope_at(keys, i) * (h10 * h) + b.value * h01 + slope_at(keys, i + 1) * (h11 * h);
}

template <typename T>
Key<T>* KeyTrack<T>::key_at(TimeValue t) {
  for (Key<T>& k : keys)
    if (k.time == t) return &k;
  return nullptr;
}

template <typename T>
void KeyTrack<T>::set_key(TimeValue t, const T& v) {
  if (Key<T>* k = key_at(t)) {
    k->value = v;
    return;
  }
  auto at =
      std::upper_bound(keys.begin(), keys.end(), t, [](TimeValue x, const Key<T>& k) { return x < k.time; });
  keys.insert(at, Key<T>{t, v});
}

template <typename T>
KeyController<T>::KeyController(const KeyControllerKind& kind, T initial) : kind_(kind) {
  track_.constant = initial;
}

template <typename T>
void* KeyController<T>::GetInterface(ULONG id) {
  if (id == I_KEYABLE_PROPERTY) return static_cast<IKeyableProperty*>(this);
  return Control::GetInterface(id);
}

template <typename T>
void KeyController<T>::hold() {
  if (theHold.Holding() && !TestAFlag(A_HELD)) theHold.Put(new KeyTrackRestore<T>(this));
}

template <typename T>
void KeyController<T>::changed() {
  NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

template <typename T>
void KeyController<T>::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
  T v = track_.value_at(t);
  T* out = static_cast<T*>(val);
  *out = method == CTRL_RELATIVE ? *out + v : v;
  if (!track_.keys.empty()) valid &= Interval(t, t);
}

template <typename T>
void KeyController<T>::SetValue(TimeValue t, void* val, int, GetSetMethod method) {
  T v = *static_cast<T*>(val);
  if (method == CTRL_RELATIVE) v = track_.value_at(t) + v;
  hold();
  if (Animating() && IsKeyable()) {
    // A track's first key away from time 0 keeps the value it had at 0.
    if (track_.keys.empty() && t != 0) track_.set_key(0, track_.constant);
    track_.set_key(t, v);
  } else if (!track_.keys.empty()) {
    T delta = v - track_.value_at(t);
    for (Key<T>& k : track_.keys) k.value = k.value + delta;
  } else {
    track_.constant = v;
  }
  changed();
}

template <typename T>
TimeValue KeyController<T>::GetKeyTime(int index) {
  return index >= 0 && index < NumKeys() ? track_.keys[static_cast<size_t>(index)].time : 0;
}

template <typename T>
void KeyController<T>::AddNewKey(TimeValue t) {
  if (track_.key_at(t) != nullptr) return;
  hold();
  track_.set_key(t, track_.value_at(t));
  changed();
}

template <typename T>
void KeyController<T>::DeleteKeys() {
  if (track_.keys.empty()) return;
  hold();
  // The value the track shows at time 0 stays as its value.
  track_.constant = track_.value_at(0);
  track_.keys.clear();
  changed();
}

template <typename T>
void KeyController<T>::SetKeyable(BOOL keyable) {
  if (keyable)
    flags_ &= ~KEYABLE_PROP_NOT_KEYABLE;
  else
    flags_ |= KEYABLE_PROP_NOT_KEYABLE;
  changed();
}

template <typename T>
std::unique_ptr<KeyController<T>> KeyController<T>::clone() const {
  auto copy = std::make_unique<KeyController<T>>(kind_, track_.constant);
  copy->track_ = track_;
  copy->flags_ = flags_;
  return copy;
}

template <typename T>
void KeyController<T>::set_track(const KeyTrack<T>& track) {
  track_ = track;
  changed();
}

template <typename T>
void KeyController<T>::set_key_value(int index, const T& v) {
  if (index < 0 || index >= NumKeys()) return;
  hold();
  track_.keys[static_cast<size_t>(index)].value = v;
  changed();
}

template <typename T>
void KeyController<T>::set_key_time(int index, TimeValue t) {
  if (index < 0 || index >= NumKeys()) return;
  hold();
  track_.keys[static_cast<size_t>(index)].time = t;
  std::stable_sort(track_.keys.begin(), track_.keys.end(),
                   [](const Key<T>& a, const Key<T>& b) { return a.time < b.time; });
  changed();
}

template struct KeyTrack<float>;
template struct KeyTrack<Point3>;
template class KeyController<float>;
template class KeyController<Point3>;

std::unique_ptr<FloatKeyController> make_bezier_float(float initial) {
  return std::make_unique<FloatKeyController>(
      KeyControllerKind{Class_ID(HYBRIDINTERP_FLOAT_CLASS_ID, 0), CTRL_FLOAT_CLASS_ID, "Bezier_Float"},
      initial);
}

std::unique_ptr<Point3KeyController> make_bezier_position(const Point3& initial) {
  return std::make_unique<Point3KeyController>(KeyControllerKind{Class_ID(HYBRIDINTERP_POSITION_CLASS_ID, 0),
                                                                 CTRL_POSITION_CLASS_ID, "Bezier_Position"},
                                               initial);
}

std::unique_ptr<Point3KeyController> make_bezier_point3(const Point3& initial) {
  return std::make_unique<Point3KeyController>(
      KeyControllerKind{Class_ID(HYBRIDINTERP_POINT3_CLASS_ID, 0), CTRL_POINT3_CLASS_ID, "Bezier_Point3"},
      initial);
}

std::unique_ptr<Point3KeyController> make_bezier_color(const Point3& initial) {
  return std::make_unique<Point3KeyController>(
      KeyControllerKind{Class_ID(HYBRIDINTERP_COLOR_CLASS_ID, 0), CTRL_POINT3_CLASS_ID, "Bezier_Color"},
      initial);
}

std::unique_ptr<Point3KeyController> make_bezier_scale(const Point3& initial) {
  return std::make_unique<Point3KeyController>(
      KeyControllerKind{Class_ID(HYBRIDINTERP_SCALE_CLASS_ID, 0), CTRL_SCALE_CLASS_ID, "Bezier_Scale"},
      initial);
}

}  // namespace host::scene
