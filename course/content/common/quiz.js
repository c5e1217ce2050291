/* Self-test checking for the course pages.
 *
 * Works on every <form class="quiz"> of the page. Each <div class="question">
 * holds radio buttons or check boxes and names its right values in
 * data-answer ("b", or "a,c" when several are right). "Проверить" marks each
 * question .correct or .wrong, adds .checked to the form (so the .explain
 * paragraphs appear) and writes the score and the grade into .result;
 * "Начать заново" clears the answers and the marks. Nothing is stored.
 */
(function () {
  'use strict';

  var NUMBERED = /^\s*(\d+)\s*[.)]/;

  function toArray(list) {
    return Array.prototype.slice.call(list || []);
  }

  function parseValues(text) {
    var seen = {};
    var values = [];
    String(text || '').split(',').forEach(function (part) {
      var v = part.trim().toLowerCase();
      if (v && !seen[v]) {
        seen[v] = true;
        values.push(v);
      }
    });
    return values;
  }

  function optionInputs(question) {
    return toArray(question.querySelectorAll('input[type="radio"], input[type="checkbox"]'));
  }

  function labelOf(input) {
    if (input.closest) {
      var l = input.closest('label');
      if (l) return l;
    }
    return input.labels && input.labels.length ? input.labels[0] : null;
  }

  /* The number a question is known by: the author's own "7." if the
   * question text starts with one, otherwise its place in the form. */
  function numberQuestions(form) {
    toArray(form.querySelectorAll('.question')).forEach(function (question, i) {
      var n = String(i + 1);
      var q = question.querySelector('.q');
      if (q) {
        var own = NUMBERED.exec(q.textContent || '');
        if (own) {
          n = own[1];
        } else if (!q.querySelector('.q-num')) {
          var num = document.createElement('span');
          num.className = 'q-num';
          num.textContent = n + '.';
          q.insertBefore(document.createTextNode(' '), q.firstChild);
          q.insertBefore(num, q.firstChild);
        }
      }
      question.setAttribute('data-number', n);
    });
  }

  function clearMarks(form) {
    form.classList.remove('checked');
    toArray(form.querySelectorAll('.question')).forEach(function (question) {
      question.classList.remove('correct', 'wrong', 'unanswered');
    });
    toArray(form.querySelectorAll('label.is-answer, label.is-wrong-choice')).forEach(function (label) {
      label.classList.remove('is-answer', 'is-wrong-choice');
    });
    var result = form.querySelector('.result');
    if (result) {
      result.textContent = '';
      result.className = 'result';
    }
  }

  function grade(right, total) {
    // Compared in whole numbers, so 9 of 10 is exactly 90 %.
    if (right * 100 >= 90 * total) return { mark: 5, word: 'отлично' };
    if (right * 100 >= 75 * total) return { mark: 4, word: 'хорошо' };
    if (right * 100 >= 50 * total) return { mark: 3, word: 'удовлетворительно' };
    return { mark: 2, word: 'неудовлетворительно' };
  }


  function checkQuestion(question) {
    var answer = parseValues(question.getAttribute('data-answer'));
    var inputs = optionInputs(question);
    if (!answer.length || !inputs.length) return null;  // nothing to grade

    var chosen = [];
    inputs.forEach(function (input) {
      var value = String(input.value || '').trim().toLowerCase();
      var isRight = answer.indexOf(value) !== -1;
      var label = labelOf(input);
      if (input.checked) chosen.push(value);
      if (label) {
        if (isRight) label.classList.add('is-answer');
        else if (input.checked) label.classList.add('is-wrong-choice');
      }
    });

    var unanswered = chosen.length === 0;
    var correct = !unanswered &&
      chosen.length === answer.length &&
      chosen.every(function (v) { return answer.indexOf(v) !== -1; });

    question.classList.add(correct ? 'correct' : 'wrong');
    if (unanswered) question.classList.add('unanswered');
    return { correct: correct, unanswered: unanswered };
  }

  function paragraph(parent, text, className) {
    var p = document.createElement('p');
    if (className) p.className = className;
    p.textContent = text;
    parent.appendChild(p);
  }

  function ensureResult(form) {
    var result = form.querySelector('.result');
    if (!result) {
      result = document.createElement('div');
      result.className = 'result';
      result.setAttribute('aria-live', 'polite');
      form.appendChild(result);
    }
    return result;
  }

  function check(form) {
    clearMarks(form);
    var right = 0;
    var total = 0;
    var wrong = [];
    var empty = [];

    toArray(form.querySelectorAll('.question')).forEach(function (question) {
      var r = checkQuestion(question);
      if (!r) return;
      total += 1;
      var n = question.getAttribute('data-number') || String(total);
      if (r.correct) right += 1;
      else wrong.push(n);
      if (r.unanswered) empty.push(n);
    });

    form.classList.add('checked');
    var result = ensureResult(form);

    if (total === 0) {
      paragraph(result, 'В этом тесте нет вопросов, которые можно проверить.');
      return;
    }

    var percent = Math.floor(right * 100 / total);
    var g = grade(right, total);
    result.classList.add('grade-' + g.mark);

    paragraph(result, 'Правильных ответов: ' + right + ' из ' + total +
      ' (' + percent + '\u00a0%).', 'score');
    paragraph(result, 'Оценка: «' + g.word + '» (' + g.mark + ').', 'grade');

    if (wrong.length === 0) {
      paragraph(result, 'Все ответы верны.', 'errors');
    } else {
      paragraph(result, (wrong.length === 1 ? 'Ошибка в вопросе ' : 'Ошибки в вопросах ') +
        wrong.join(', ') + '.', 'errors');
      if (empty.length === 1) {
        paragraph(result, 'Без ответа остался вопрос ' + empty[0] +
          ' (засчитан как неверный).', 'unanswered');
      } else if (empty.length > 1) {
        paragraph(result, 'Без ответа остались вопросы ' + empty.join(', ') +
          ' (засчитаны как неверные).', 'unanswered');
      }
      paragraph(result, 'Прочитайте пояснения под вопросами и попробуйте ещё раз.', 'hint');
    }

    if (typeof result.scrollIntoView === 'function') {
      try { result.scrollIntoView({ block: 'nearest' }); } catch (e) { /* older engines */ }
    }
  }

  function addControls(form) {
    if (form.querySelector('button.check')) return;
    var box = form.querySelector('.quiz-controls');
    if (!box) {
      box = document.createElement('div');
      box.className = 'quiz-controls';
      var result = form.querySelector('.result');
      if (result && result.parentNode) result.parentNode.insertBefore(box, result);
      else form.appendChild(box);
    }
    var checkButton = document.createElement('button');
    checkButton.type = 'button';
    checkButton.className = 'check';
    checkButton.textContent = 'Проверить';
    box.insertBefore(checkButton, box.firstChild);
    if (!form.querySelector('.reset')) {
      var resetButton = document.createElement('button');
      resetButton.type = 'button';
      resetButton.className = 'reset';
      resetButton.textContent = 'Начать заново';
      box.appendChild(resetButton);
    }
  }

  function setUp(form) {
    if (form.getAttribute('data-quiz-ready')) return;
    form.setAttribute('data-quiz-ready', '1');
    numberQuestions(form);
    addControls(form);

    form.addEventListener('click', function (event) {
      var target = event.target;
      if (!target || !target.closest) return;
      var button = target.closest('button, input[type="button"], input[type="submit"], input[type="reset"]');
      if (!button || !form.contains(button)) return;
      if (button.classList.contains('check')) {
        event.preventDefault();
        check(form);
      } else if (button.classList.contains('reset')) {
        event.preventDefault();
        form.reset();               // the reset handler below clears the marks
      }
    });
    // Enter in a field or a submit button: check instead of leaving the page.
    form.addEventListener('submit', function (event) {
      event.preventDefault();
      check(form);
    });
    form.addEventListener('reset', function () {
      clearMarks(form);
      // Back to the top of the test, so the student starts again from question 1.
      if (typeof form.scrollIntoView === 'function') {
        try { form.scrollIntoView({ block: 'start' }); } catch (e) { /* older engines */ }
      }
    });
  }

  function setUpAll() {
    toArray(document.querySelectorAll('form.quiz')).forEach(setUp);
  }

  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', setUpAll);
  } else {
    setUpAll();
  }

  window.CourseQuiz = { setUp: setUp, check: check, clear: clearMarks };
})();
